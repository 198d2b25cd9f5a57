// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Other programs that hold a port open, found through the descriptors listed
// under /proc/*/fd and compared by device number. A program that opened the
// port without its lock is found as well as one that took it.

#include <cstdint>
#include <optional>
#include <string>

namespace vdserial {

struct PortOpener {
    int32_t pid = 0;
    std::string name;  // the program's name; empty when it cannot be read
};

// The first process other than this one that holds the terminal at `path` open.
// The server of a pseudo-terminal (the process holding its master side) is the
// far end of the line, not another user, and is passed over; so are processes
// whose descriptors this one may not read.
std::optional<PortOpener> FindOtherOpener(const std::string& path);

}  // namespace vdserial
