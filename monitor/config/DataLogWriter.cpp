// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DataLogWriter.hpp"

#include <sys/stat.h>

#include <array>
#include <fstream>
#include <string_view>

#include "AppInfo.hpp"
#include "DataLogFormat.hpp"
#include "Desktop.hpp"
#include "FileUtil.hpp"
#include "MonitorTexts.hpp"
#include "UtilityError.hpp"

namespace zelvo {
namespace {

// The first line is looked for in this many bytes at most: a start line is far
// shorter, and a large file costs no more than a small one.
constexpr size_t kFirstLineLimit = 256;

// True when the file may serve as the data log: missing (the first line creates
// it), empty, or a regular file whose first line is a start line of the log. A
// file that cannot be read is not known to be a log.
bool MayServeAsLog(const std::string& path) {
    struct stat info {};
    // Not found or out of reach: the write that follows reports why, as before.
    if (::stat(path.c_str(), &info) != 0) return true;
    if (!S_ISREG(info.st_mode)) return false;
    if (info.st_size == 0) return true;
    std::ifstream in(path, std::ios::binary);
    std::array<char, kFirstLineLimit> head{};
    in.read(head.data(), head.size());
    std::string_view line(head.data(), static_cast<size_t>(in.gcount()));
    const size_t end = line.find('\n');
    if (end == std::string_view::npos) return false;
    line = line.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return IsDataLogStartLine(line);
}

}  // namespace

bool DataLogWriter::Admit(const std::string& path) {
    if (MayServeAsLog(path)) {
        refused_.reset();
        return true;
    }
    if (refused_ != path) {
        Desktop().MessageBox(path + texts::kNotADataLog, GetAppInfo().title, MsgButtons::OK,
                             MsgIcon::Exclamation);
    }
    refused_ = path;
    return false;
}

bool DataLogWriter::WriteLine(const std::string& path, const std::string& line) {
    if (refused_ == path) return false;
    std::optional<ZelvoError> failure = TryAppendLine(path, line);
    if (!failure) {
        failureShown_ = false;
        return true;
    }
    if (!failureShown_) {
        failureShown_ = true;
        ShowUtilityError(kAppendToTextFileTitle, *failure);
    }
    return false;
}

}  // namespace zelvo
