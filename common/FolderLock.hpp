// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One monitor per application folder: an exclusive lock on a file in the folder,
// held while the program runs and released by the kernel when it ends, however it
// ends. Monitors on different folders do not see each other's locks.

#include <optional>
#include <string>

#include "ZelvoError.hpp"

namespace zelvo {

// Name of the lock file in the application folder.
inline constexpr const char* kFolderLockName = "zelvomon.lock";

class FolderLock {
  public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock of `folder`. `heldElsewhere` tells whether another process
    // holds it (then this one does not). A failure to create or lock the file for
    // another reason comes back as the error.
    std::optional<ZelvoError> Acquire(const std::string& folder, bool& heldElsewhere);
    // Start-up's question: true when another monitor holds the folder's lock;
    // otherwise this one takes it. A lock that cannot be taken for another reason
    // (a read-only folder) is said on standard error and refuses nothing.
    bool AnotherHolds(const std::string& folder);
    bool Held() const { return fd_ >= 0; }
    void Release();

  private:
    int fd_ = -1;
};

}  // namespace zelvo
