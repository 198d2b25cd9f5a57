// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drops root's file-permission override for the lifetime of the scope (tests run as
// root on CI machines), so that read-only files and folders are refused as for users.

#include <unistd.h>

#include <cstdlib>

namespace zelvo::testing {

class WithoutRootRights {
  public:
    WithoutRootRights() : wasRoot_(::geteuid() == 0 && ::seteuid(65534) == 0) {}
    ~WithoutRootRights() {
        if (wasRoot_ && ::seteuid(0) != 0) std::abort();
    }
    WithoutRootRights(const WithoutRootRights&) = delete;
    WithoutRootRights& operator=(const WithoutRootRights&) = delete;

  private:
    bool wasRoot_;
};

}  // namespace zelvo::testing
