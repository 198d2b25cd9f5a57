// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFile.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "ZelvoError.hpp"

namespace zelvo {
namespace {

void WriteWithFlags(const std::string& path, const std::string& bytes, int flags, bool cutBack) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) throw FileError(errno, path);
    struct stat before {};
    bool knowSize = cutBack && ::fstat(fd, &before) == 0 && S_ISREG(before.st_mode);
    int error = WriteAllBytes(fd, bytes);
    if (error != 0 && knowSize && ::ftruncate(fd, before.st_size) != 0) {
        // The partial line could not be removed; the write failure is reported below.
    }
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) throw FileError(error, path);
}

}  // namespace

int WriteAllBytes(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<size_t>(n);
    }
    return 0;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += kCrLf;
    }
    return out;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    WriteWithFlags(path, bytes, O_WRONLY | O_CREAT | O_TRUNC, false);
}

void AppendFileBytes(const std::string& path, const std::string& bytes) {
    WriteWithFlags(path, bytes, O_WRONLY | O_CREAT | O_APPEND, true);
}

std::string ReadFileBytes(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw FileError(errno, path);
    std::string out;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            int error = errno;
            ::close(fd);
            throw FileError(error, path);
        }
        if (n == 0) break;
        out.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return out;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveFile(const std::string& path) {
    if (::unlink(path.c_str()) == 0) return true;
    return errno == ENOENT;
}

}  // namespace zelvo
