// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ports the library offers: what udev finds and what ZELVO_PORTS adds.
//
// ZELVO_PORTS: entries separated by ";", each "path=product ID,serial number",
// e.g. "/dev/pts/3=5C3E,ZS0001;/dev/ttyS4=5C3E,LAB-7". Blanks around the parts
// are dropped; the product ID is 1 to 4 hexadecimal digits (given out in upper
// case); the serial number is at most 255 characters and may be empty.

#include <optional>
#include <string>
#include <vector>

namespace vdserial {

struct PortInfo {
    std::string path;       // device node
    std::string productId;  // USB product ID, upper-case hexadecimal
    std::string serial;     // USB serial number
};

// Parses a ZELVO_PORTS text into `ports`; on a mistake returns a message naming
// it and leaves `ports` unchanged.
std::optional<std::string> ParsePortList(const std::string& text, std::vector<PortInfo>& ports);

// Whether USB bus path `a` ("1-1.2", bus and port numbers) comes before `b`:
// numbers compare as numbers, a hub's own path before the ports behind it.
bool BusPathBefore(const std::string& a, const std::string& b);

// An entry of `extra` that MergePorts left out, and why: "missing", "not a
// terminal" or "duplicate".
struct SkippedEntry {
    std::string path;
    std::string reason;
    bool operator==(const SkippedEntry&) const = default;
};

// The ports to enumerate: `found` (udev's, in their order), then the entries of
// `extra` whose path exists, is a character device and does not lead to a port
// already listed (also through a link). The entries left out go to `skipped`.
std::vector<PortInfo> MergePorts(std::vector<PortInfo> found, const std::vector<PortInfo>& extra,
                                 std::vector<SkippedEntry>& skipped);

}  // namespace vdserial
