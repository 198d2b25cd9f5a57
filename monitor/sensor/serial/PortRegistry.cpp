// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortRegistry.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "PortOpeners.hpp"
#include "UdevPorts.hpp"
#include "VdLink.h"

namespace vdserial {
namespace {
constexpr const char* kNoPermission = "no permission to open it (join the group zelvo)";
}  // namespace

std::vector<PortInfo> PortRegistry::ExtraPorts() {
    const char* text = std::getenv("ZELVO_PORTS");
    std::vector<PortInfo> ports;
    if (text == nullptr) return ports;
    if (auto mistake = ParsePortList(text, ports)) {
        // Said once per text, not at every enumeration.
        if (reportedText_ != text) {
            std::fprintf(stderr, "libvdlink: ZELVO_PORTS: %s; no ports added\n", mistake->c_str());
            reportedText_ = text;
        }
    }
    return ports;
}

int32_t PortRegistry::GetNumDevices(int32_t& count) {
    std::vector<PortInfo> found;
    int32_t status = VD_OK;
    if (auto failure = ListUdevPorts(found)) {
        std::fprintf(stderr, "libvdlink: %s\n", failure->c_str());
        status = VD_IO_ERROR;
    }
    ports_ = MergePorts(std::move(found), ExtraPorts(), skipped_);
    count = static_cast<int32_t>(ports_.size());
    return status;
}

int32_t PortRegistry::GetProductString(int32_t index, char* buffer, int32_t option) const {
    if (buffer == nullptr) return VD_INVALID_PARAMETER;
    buffer[0] = '\0';
    if (index < 0 || static_cast<size_t>(index) >= ports_.size()) return VD_DEVICE_NOT_FOUND;
    const PortInfo& port = ports_[static_cast<size_t>(index)];
    const std::string* text = nullptr;
    if (option == VD_PRODUCT_SERIAL_NUMBER) {
        text = &port.serial;
    } else if (option == VD_PRODUCT_ID) {
        text = &port.productId;
    } else if (option == VD_PRODUCT_PORT) {
        text = &port.path;
    } else {
        return VD_INVALID_PARAMETER;
    }
    const size_t n = std::min<size_t>(text->size(), VD_PRODUCT_STRING_SIZE - 2);
    std::memcpy(buffer, text->data(), n);
    buffer[n] = '\0';
    return VD_OK;
}

int32_t PortRegistry::GetSkippedPorts(char* buffer, int32_t size) const {
    if (buffer == nullptr || size < 1) return VD_INVALID_PARAMETER;
    std::string text;
    for (const SkippedEntry& entry : skipped_) text += entry.path + '\t' + entry.reason + '\n';
    const size_t n = std::min(text.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return VD_OK;
}

int32_t PortRegistry::Open(int32_t index, int32_t& handle) {
    handle = 0;
    if (index < 0 || static_cast<size_t>(index) >= ports_.size()) return VD_DEVICE_NOT_FOUND;
    const PortInfo& info = ports_[static_cast<size_t>(index)];
    std::unique_ptr<SerialPort> port;
    int openError = 0;
    if (int32_t status = SerialPort::Open(info.path, port, openError); status != VD_OK) {
        // A sensor this user may not open (not in the udev rule's group) is named
        // with the remedy, not passed over as if it were not there.
        const SkippedEntry forbidden{info.path, kNoPermission};
        if ((openError == EACCES || openError == EPERM) &&
            std::find(skipped_.begin(), skipped_.end(), forbidden) == skipped_.end()) {
            skipped_.push_back(forbidden);
        }
        return status;
    }
    handle = nextHandle_++;
    if (nextHandle_ <= 0) nextHandle_ = 1;
    handles_[handle] = Opened{std::move(port), info.productId};
    return VD_OK;
}

int32_t PortRegistry::GetOpener(int32_t index, int32_t& pid, char* name, int32_t size) const {
    pid = 0;
    if (name == nullptr || size < 1) return VD_INVALID_PARAMETER;
    name[0] = '\0';
    if (index < 0 || static_cast<size_t>(index) >= ports_.size()) return VD_DEVICE_NOT_FOUND;
    const std::optional<PortOpener> opener =
        FindOtherOpener(ports_[static_cast<size_t>(index)].path);
    if (!opener) return VD_OK;
    pid = opener->pid;
    const size_t n = std::min(opener->name.size(), static_cast<size_t>(size) - 1);
    std::memcpy(name, opener->name.data(), n);
    name[n] = '\0';
    return VD_OK;
}

int32_t PortRegistry::Close(int32_t handle) {
    return handles_.erase(handle) == 1 ? VD_OK : VD_INVALID_HANDLE;
}

SerialPort* PortRegistry::Port(int32_t handle) const {
    auto it = handles_.find(handle);
    return it == handles_.end() ? nullptr : it->second.port.get();
}

std::string PortRegistry::ProductId(int32_t handle) const {
    auto it = handles_.find(handle);
    return it == handles_.end() ? std::string() : it->second.productId;
}

}  // namespace vdserial
