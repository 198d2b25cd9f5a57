// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Serial ports of USB devices as udev describes them, read from sysfs.

#include <optional>
#include <string>
#include <vector>

#include "PortList.hpp"

namespace vdserial {

// The tty devices whose parent is a USB device, with the device's product ID and
// serial number, ordered by USB bus path. Terminals that cannot be listed come
// back as a message; `ports` is then empty.
std::optional<std::string> ListUdevPorts(std::vector<PortInfo>& ports);

}  // namespace vdserial
