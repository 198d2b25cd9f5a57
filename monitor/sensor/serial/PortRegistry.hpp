// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The library's state: the ports of the latest enumeration and the open
// handles. Not thread-safe by itself; the entry points serialise the calls.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "PortList.hpp"
#include "SerialPort.hpp"

namespace vdserial {

class PortRegistry {
  public:
    // Enumerates afresh (udev, then ZELVO_PORTS); indices refer to this list
    // until the next enumeration.
    int32_t GetNumDevices(int32_t& count);
    int32_t GetProductString(int32_t index, char* buffer, int32_t option) const;
    // "path<TAB>reason<LF>" per ZELVO_PORTS entry the last enumeration left out,
    // NUL-terminated within `size` bytes.
    int32_t GetSkippedPorts(char* buffer, int32_t size) const;
    // Refused with VD_DEVICE_IN_USE also when another program holds the port open
    // without its lock.
    int32_t Open(int32_t index, int32_t& handle);
    // The other program holding the port of `index` open: its process ID (0 when
    // none is seen) and name, NUL-terminated within `size` bytes.
    int32_t GetOpener(int32_t index, int32_t& pid, char* name, int32_t size) const;
    int32_t Close(int32_t handle);
    // The open port of `handle`, or nullptr.
    SerialPort* Port(int32_t handle) const;
    // Product ID of the device behind `handle` ("" when unknown).
    std::string ProductId(int32_t handle) const;

  private:
    std::vector<PortInfo> ExtraPorts();

    struct Opened {
        std::unique_ptr<SerialPort> port;
        std::string productId;
    };
    std::vector<PortInfo> ports_;
    std::vector<SkippedEntry> skipped_;
    std::map<int32_t, Opened> handles_;
    int32_t nextHandle_ = 1;
    std::string reportedText_;  // the last bad ZELVO_PORTS text reported
};

}  // namespace vdserial
