// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A bridge library whose sensors answer with the fuzzer's bytes, split into reads
// as the fuzzer chooses. It counts every call on a handle that is not open, so
// that the fuzz target can tell the monitor never reads from a closed handle.
#include "FuzzBridge.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "VdLink.h"

#define FUZZ_BRIDGE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Bus {
    int32_t devices = 0;
    std::vector<std::string> serials;
    std::vector<uint8_t> replies;
    size_t next = 0;
    std::set<int32_t> open;
    int32_t lastHandle = 0;  // handles are never reused, so a stale one stays stale
    int32_t misuses = 0;
    std::string firstMisuse;
};

Bus& TheBus() {
    static Bus bus;
    return bus;
}

bool Usable(int32_t handle, const char* call) {
    Bus& bus = TheBus();
    if (bus.open.count(handle) != 0) return true;
    if (bus.misuses++ == 0)
        bus.firstMisuse = std::string(call) + " on handle " + std::to_string(handle);
    return false;
}

}  // namespace

FUZZ_BRIDGE_EXPORT void FuzzBridge_Reset(int32_t devices, const uint8_t* serials,
                                         const uint8_t* replies, size_t size) {
    static const char* const kSerials[] = {"FZ0001", "FZ0002", "FZ0003", "FZ0004", "fz0001", ""};
    Bus& bus = TheBus();
    const int32_t lastHandle = bus.lastHandle;
    bus = Bus{};
    bus.lastHandle = lastHandle;
    bus.devices = devices;
    for (int32_t i = 0; i < devices; ++i) bus.serials.emplace_back(kSerials[serials[i] % 6]);
    bus.replies.assign(replies, replies + size);
}

FUZZ_BRIDGE_EXPORT int32_t FuzzBridge_Misuse(char* what) {
    std::snprintf(what, 64, "%s", TheBus().firstMisuse.c_str());
    return TheBus().misuses;
}

FUZZ_BRIDGE_EXPORT VD_STATUS VD_GetNumDevices(int32_t* count) {
    *count = TheBus().devices;
    return VD_OK;
}

FUZZ_BRIDGE_EXPORT VD_STATUS VD_GetProductString(int32_t deviceIndex, char* buffer,
                                                 int32_t option) {
    if (deviceIndex < 0 || deviceIndex >= TheBus().devices) return VD_DEVICE_NOT_FOUND;
    if (option == VD_PRODUCT_ID) {
        std::snprintf(buffer, VD_PRODUCT_STRING_SIZE, "5C3E");
    } else {
        std::snprintf(buffer, VD_PRODUCT_STRING_SIZE, "%s",
                      TheBus().serials[static_cast<size_t>(deviceIndex)].c_str());
    }
    return VD_OK;
}

FUZZ_BRIDGE_EXPORT VD_STATUS VD_Open(int32_t deviceIndex, VD_HANDLE* handle) {
    Bus& bus = TheBus();
    if (deviceIndex < 0 || deviceIndex >= bus.devices) return VD_DEVICE_NOT_FOUND;
    *handle = ++bus.lastHandle;
    bus.open.insert(*handle);
    return VD_OK;
}

FUZZ_BRIDGE_EXPORT VD_STATUS VD_SetBaudRate(VD_HANDLE handle, int32_t) {
    return Usable(handle, "VD_SetBaudRate") ? VD_OK : VD_INVALID_HANDLE;
}

FUZZ_BRIDGE_EXPORT VD_STATUS VD_FlushBuffers(VD_HANDLE handle, int32_t, int32_t) {
    return Usable(handle, "VD_FlushBuffers") ? VD_OK : VD_INVALID_HANDLE;
}

FUZZ_BRIDGE_EXPORT VD_STATUS VD_Write(VD_HANDLE handle, const void*, int32_t bytesToWrite,
                                      int32_t* bytesWritten, void*) {
    if (!Usable(handle, "VD_Write")) return VD_INVALID_HANDLE;
    *bytesWritten = bytesToWrite;
    return VD_OK;
}

FUZZ_BRIDGE_EXPORT VD_STATUS VD_Read(VD_HANDLE handle, void* buffer, int32_t bytesToRead,
                                     int32_t* bytesReturned, void*) {
    *bytesReturned = 0;
    if (!Usable(handle, "VD_Read")) return VD_INVALID_HANDLE;
    Bus& bus = TheBus();
    if (bus.next >= bus.replies.size()) return VD_OK;
    const uint8_t length = bus.replies[bus.next++];
    if (length == 255) return VD_IO_ERROR;
    const size_t count = std::min({static_cast<size_t>(length), bus.replies.size() - bus.next,
                                   static_cast<size_t>(std::max(bytesToRead, 0))});
    std::memcpy(buffer, bus.replies.data() + bus.next, count);
    bus.next += count;
    *bytesReturned = static_cast<int32_t>(count);
    return VD_OK;
}

FUZZ_BRIDGE_EXPORT VD_STATUS VD_Close(VD_HANDLE handle) {
    if (!Usable(handle, "VD_Close")) return VD_INVALID_HANDLE;
    TheBus().open.erase(handle);
    return VD_OK;
}
