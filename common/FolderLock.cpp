// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderLock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

namespace zelvo {

FolderLock::~FolderLock() {
    Release();
}

void FolderLock::Release() {
    if (fd_ < 0) return;
    // Closing the descriptor gives up the lock; the file stays for the next monitor.
    ::close(fd_);
    fd_ = -1;
}

std::optional<ZelvoError> FolderLock::Acquire(const std::string& folder, bool& heldElsewhere) {
    heldElsewhere = false;
    Release();
    const std::string path = folder + "/" + kFolderLockName;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return ZelvoError(err::PathFileAccess, "Lock file " + path + ": " + std::strerror(errno));
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            heldElsewhere = true;
            return std::nullopt;
        }
        return ZelvoError(err::PathFileAccess, "Lock file " + path + ": " + std::strerror(error));
    }
    fd_ = fd;
    return std::nullopt;
}

bool FolderLock::AnotherHolds(const std::string& folder) {
    bool heldElsewhere = false;
    if (auto failure = Acquire(folder, heldElsewhere)) {
        std::cerr << failure->Description() << "; a second monitor on this folder is not refused\n";
    }
    return heldElsewhere;
}

}  // namespace zelvo
