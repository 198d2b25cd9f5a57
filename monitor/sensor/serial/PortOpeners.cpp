// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortOpeners.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace vdserial {
namespace {

// The slaves of pseudo-terminals are numbered by their minor under this major;
// their servers hold the master multiplexer (5, 2) open.
constexpr unsigned kPtySlaveMajor = 136;
constexpr unsigned kPtyMasterMajor = 5;
constexpr unsigned kPtyMasterMinor = 2;

struct DirClose {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using Dir = std::unique_ptr<DIR, DirClose>;

bool AllDigits(const char* name) {
    if (*name == '\0') return false;
    for (; *name != '\0'; ++name) {
        if (*name < '0' || *name > '9') return false;
    }
    return true;
}

// Up to `size` bytes of a small file under /proc; empty when it cannot be read.
std::string ReadSmallFile(const std::string& path, size_t size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return "";
    std::string text(size, '\0');
    const ssize_t n = ::read(fd, text.data(), size);
    ::close(fd);
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text;
}

// The terminal number of a master descriptor, from its fdinfo; -1 when not told.
long MasterIndex(const std::string& fdinfo) {
    const std::string text = ReadSmallFile(fdinfo, 512);
    const size_t at = text.find("tty-index:");
    return at == std::string::npos ? -1 : std::strtol(text.c_str() + at + 10, nullptr, 10);
}

// How one process holds the port: through a descriptor of it, and as the server of
// the pseudo-terminal `ptyIndex` (-1 for a port that is none).
struct Hold {
    bool port = false;
    bool server = false;
};

Hold HoldOf(const std::string& process, dev_t port, long ptyIndex) {
    Hold hold;
    Dir fds(::opendir((process + "/fd").c_str()));
    if (!fds) return hold;  // gone meanwhile, or not this user's to read
    const int folder = ::dirfd(fds.get());
    while (const dirent* entry = ::readdir(fds.get())) {
        if (!AllDigits(entry->d_name)) continue;
        // Only device nodes are looked at: the stat of another file could wait on
        // its file system.
        char prefix[5];
        if (::readlinkat(folder, entry->d_name, prefix, sizeof prefix) != sizeof prefix ||
            std::memcmp(prefix, "/dev/", sizeof prefix) != 0) {
            continue;
        }
        struct stat info {};
        if (::fstatat(folder, entry->d_name, &info, 0) != 0 || !S_ISCHR(info.st_mode)) continue;
        if (info.st_rdev == port) {
            hold.port = true;
        } else if (ptyIndex >= 0 && major(info.st_rdev) == kPtyMasterMajor &&
                   minor(info.st_rdev) == kPtyMasterMinor) {
            hold.server =
                hold.server || MasterIndex(process + "/fdinfo/" + entry->d_name) == ptyIndex;
        }
    }
    return hold;
}

std::string ProgramName(const std::string& process) {
    std::string name = ReadSmallFile(process + "/comm", 64);
    if (!name.empty() && name.back() == '\n') name.pop_back();
    return name;
}

}  // namespace

std::optional<PortOpener> FindOtherOpener(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISCHR(info.st_mode)) return std::nullopt;
    const long ptyIndex =
        major(info.st_rdev) == kPtySlaveMajor ? static_cast<long>(minor(info.st_rdev)) : -1;
    Dir processes(::opendir("/proc"));
    if (!processes) return std::nullopt;  // without /proc only the lock tells
    const std::string self = std::to_string(::getpid());
    while (const dirent* entry = ::readdir(processes.get())) {
        if (!AllDigits(entry->d_name) || self == entry->d_name) continue;
        const std::string process = std::string("/proc/") + entry->d_name;
        const Hold hold = HoldOf(process, info.st_rdev, ptyIndex);
        if (hold.port && !hold.server) {
            return PortOpener{static_cast<int32_t>(std::atol(entry->d_name)), ProgramName(process)};
        }
    }
    return std::nullopt;
}

}  // namespace vdserial
