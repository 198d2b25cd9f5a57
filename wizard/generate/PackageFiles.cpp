// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PackageFiles.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "CWizardData.hpp"
#include "Desktop.hpp"
#include "PageChecks.hpp"
#include "Windows1252.hpp"

namespace kitforge {
namespace {

void ShowFileFailure(const char* message) {
    zelvo::Desktop().MessageBox(message, text::kSystemCaption, zelvo::MsgButtons::OK,
                                zelvo::MsgIcon::Critical);
}

}  // namespace

std::string PackagePath(const CWizardData& data, const std::string& name) {
    std::string relative = name.starts_with(".\\") ? name.substr(2) : name;
    for (char& c : relative) {
        if (c == '\\') c = '/';
    }
    std::string path = data.m_strGenerationDir;
    if (!path.empty() && path.back() != '/') path += '/';
    return path + zelvo::FromWindows1252(relative);
}

bool WritePackageFile(const std::string& path, const std::string& bytes) {
    // The file is overwritten and then cut to the new length instead of being
    // truncated first: truncating a file whose previous content is still being
    // written back makes the file system wait for that write-back.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        ShowFileFailure(text::kCouldNotOpenFile);
        return false;
    }
    bool written = true;
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            written = false;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (written && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) written = false;
    if (::close(fd) != 0) written = false;
    if (!written) ShowFileFailure(text::kCouldNotWriteFile);
    return written;
}

}  // namespace kitforge
