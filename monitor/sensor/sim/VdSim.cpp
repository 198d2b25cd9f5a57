// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The C entry points of the simulated bridge library. One bus per process,
// created on the first call; calls are serialised by one lock.

#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

#include "SimBus.hpp"
#include "VdLink.h"

#define VD_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::mutex& Lock() {
    static std::mutex lock;
    return lock;
}

vdsim::SimBus& Bus() {
    static vdsim::SimBus bus;
    return bus;
}

}  // namespace

VD_EXPORT VD_STATUS VD_GetNumDevices(int32_t* count) {
    if (count == nullptr) return VD_INVALID_PARAMETER;
    std::lock_guard guard(Lock());
    return Bus().GetNumDevices(*count);
}

VD_EXPORT VD_STATUS VD_GetProductString(int32_t deviceIndex, char* buffer, int32_t option) {
    std::lock_guard guard(Lock());
    return Bus().GetProductString(deviceIndex, buffer, option);
}

VD_EXPORT VD_STATUS VD_Open(int32_t deviceIndex, VD_HANDLE* handle) {
    if (handle == nullptr) return VD_INVALID_PARAMETER;
    std::lock_guard guard(Lock());
    return Bus().Open(deviceIndex, *handle);
}

// The test builds of a library that lacks an entry point leave it out here.
#ifndef VDSIM_WITHOUT_SET_BAUD_RATE
VD_EXPORT VD_STATUS VD_SetBaudRate(VD_HANDLE handle, int32_t baudRate) {
    std::lock_guard guard(Lock());
    return Bus().SetBaudRate(handle, baudRate);
}
#endif

VD_EXPORT VD_STATUS VD_FlushBuffers(VD_HANDLE handle, int32_t flushTransmit, int32_t flushReceive) {
    std::lock_guard guard(Lock());
    return Bus().FlushBuffers(handle, flushTransmit, flushReceive);
}

VD_EXPORT VD_STATUS VD_Write(VD_HANDLE handle, const void* buffer, int32_t bytesToWrite,
                             int32_t* bytesWritten, void* overlapped) {
    if (bytesWritten == nullptr || overlapped != nullptr) return VD_INVALID_PARAMETER;
    std::lock_guard guard(Lock());
    return Bus().Write(handle, buffer, bytesToWrite, *bytesWritten);
}

#ifndef VDSIM_WITHOUT_READ
VD_EXPORT VD_STATUS VD_Read(VD_HANDLE handle, void* buffer, int32_t bytesToRead,
                            int32_t* bytesReturned, void* overlapped) {
    if (bytesReturned == nullptr || overlapped != nullptr) return VD_INVALID_PARAMETER;
    std::lock_guard guard(Lock());
    return Bus().Read(handle, buffer, bytesToRead, *bytesReturned);
}
#endif

VD_EXPORT VD_STATUS VD_WaitForData(VD_HANDLE handle, int32_t timeoutMs) {
    double seconds = 0.0;
    int32_t status = VD_OK;
    {
        std::lock_guard guard(Lock());
        status = Bus().WaitForData(handle, timeoutMs, seconds);
    }
    if (seconds > 0.0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    return status;
}

VD_EXPORT VD_STATUS VD_Close(VD_HANDLE handle) {
    std::lock_guard guard(Lock());
    return Bus().Close(handle);
}

VD_EXPORT VD_STATUS VD_GetPartNumber(VD_HANDLE handle, uint8_t* partNumber) {
    if (partNumber == nullptr) return VD_INVALID_PARAMETER;
    std::lock_guard guard(Lock());
    *partNumber = 0x5C;
    return Bus().CheckHandle(handle);
}

VD_EXPORT VD_STATUS VD_SetTimeouts(VD_HANDLE handle, int32_t readTimeoutMs,
                                   int32_t writeTimeoutMs) {
    if (readTimeoutMs < 0 || writeTimeoutMs < 0) return VD_INVALID_PARAMETER;
    std::lock_guard guard(Lock());
    return Bus().CheckHandle(handle);
}

VD_EXPORT VD_STATUS VD_GetTimeouts(VD_HANDLE handle, int32_t* readTimeoutMs,
                                   int32_t* writeTimeoutMs) {
    if (readTimeoutMs == nullptr || writeTimeoutMs == nullptr) return VD_INVALID_PARAMETER;
    std::lock_guard guard(Lock());
    // Reads never wait in the simulator; writes complete at once.
    *readTimeoutMs = 0;
    *writeTimeoutMs = 0;
    return Bus().CheckHandle(handle);
}

VD_EXPORT VD_STATUS VD_SetLineControl(VD_HANDLE handle, uint8_t dataBits, uint8_t parity,
                                      uint8_t stopBits) {
    if (dataBits < 5 || dataBits > 8 || parity > 4 || stopBits > 2) return VD_INVALID_PARAMETER;
    std::lock_guard guard(Lock());
    return Bus().CheckHandle(handle);
}

VD_EXPORT VD_STATUS VD_SetFlowControl(VD_HANDLE handle, uint16_t flowMode, uint8_t xonChar,
                                      uint8_t xoffChar) {
    if (flowMode > 3 || (flowMode == 3 && xonChar == xoffChar)) return VD_INVALID_PARAMETER;
    std::lock_guard guard(Lock());
    return Bus().CheckHandle(handle);
}

VD_EXPORT VD_STATUS VD_GetModemmlStatus(VD_HANDLE handle, uint8_t* modemStatus) {
    if (modemStatus == nullptr) return VD_INVALID_PARAMETER;
    std::lock_guard guard(Lock());
    *modemStatus = 0x30;  // clear to send, data set ready
    return Bus().CheckHandle(handle);
}

VD_EXPORT VD_STATUS VD_CheckRXQueue(VD_HANDLE handle, uint32_t* bytesInQueue,
                                    uint32_t* queueStatus) {
    if (bytesInQueue == nullptr || queueStatus == nullptr) return VD_INVALID_PARAMETER;
    std::lock_guard guard(Lock());
    *bytesInQueue = 0;
    *queueStatus = 0;
    return Bus().CheckHandle(handle);
}

// Test control of the simulator. Commands:
//   configure <ZELVO_SIM text>   replace the bus
//   time <s> | advance <s>       manual clock: set it, or move it on
//   realtime                     back to the steady clock
//   lastcommand <n> | commandcount <n> | frequency <n> | linerate <n>
//   unplug <n> | replug <n>      (bus index n; unplugging closes its handles)
//   handles                      number of open handles
// Returns 0, or 1 with a message in `output`; output texts are NUL-terminated and
// cut to outputSize - 1 bytes.
VD_EXPORT int VDSim_Control(const char* command, char* output, int outputSize) {
    std::string text;
    bool ok = false;
    if (command == nullptr) {
        text = "no command";
    } else {
        std::lock_guard guard(Lock());
        ok = Bus().Control(command, text);
    }
    if (output != nullptr && outputSize > 0) {
        size_t n = std::min(text.size(), static_cast<size_t>(outputSize - 1));
        std::memcpy(output, text.data(), n);
        output[n] = '\0';
    }
    return ok ? 0 : 1;
}
