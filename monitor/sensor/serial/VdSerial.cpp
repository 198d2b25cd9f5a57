// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The C entry points of the bridge library over Linux serial ports. One
// registry per process, created on the first call; calls are serialised by one
// lock (the monitor makes them from one thread; the lock keeps other users safe).

#include <cstdlib>
#include <mutex>

#include "PortRegistry.hpp"
#include "VdLink.h"

#define VD_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::mutex& Lock() {
    static std::mutex lock;
    return lock;
}

vdserial::PortRegistry& Registry() {
    static vdserial::PortRegistry registry;
    return registry;
}

// Runs `call` on the open port of `handle`, or fails with VD_INVALID_HANDLE.
template <typename Call>
VD_STATUS OnPort(VD_HANDLE handle, Call call) {
    std::lock_guard guard(Lock());
    vdserial::SerialPort* port = Registry().Port(handle);
    return port == nullptr ? VD_INVALID_HANDLE : call(*port);
}

}  // namespace

VD_EXPORT VD_STATUS VD_GetNumDevices(int32_t* count) {
    if (count == nullptr) return VD_INVALID_PARAMETER;
    std::lock_guard guard(Lock());
    return Registry().GetNumDevices(*count);
}

VD_EXPORT VD_STATUS VD_GetProductString(int32_t deviceIndex, char* buffer, int32_t option) {
    std::lock_guard guard(Lock());
    return Registry().GetProductString(deviceIndex, buffer, option);
}

VD_EXPORT VD_STATUS VD_GetSkippedPorts(char* buffer, int32_t size) {
    std::lock_guard guard(Lock());
    return Registry().GetSkippedPorts(buffer, size);
}

VD_EXPORT VD_STATUS VD_GetPortOpener(int32_t deviceIndex, int32_t* pid, char* name,
                                     int32_t nameSize) {
    if (pid == nullptr) return VD_INVALID_PARAMETER;
    std::lock_guard guard(Lock());
    return Registry().GetOpener(deviceIndex, *pid, name, nameSize);
}

VD_EXPORT VD_STATUS VD_Open(int32_t deviceIndex, VD_HANDLE* handle) {
    if (handle == nullptr) return VD_INVALID_PARAMETER;
    std::lock_guard guard(Lock());
    return Registry().Open(deviceIndex, *handle);
}

VD_EXPORT VD_STATUS VD_SetBaudRate(VD_HANDLE handle, int32_t baudRate) {
    return OnPort(handle, [&](vdserial::SerialPort& port) { return port.SetBaudRate(baudRate); });
}

VD_EXPORT VD_STATUS VD_FlushBuffers(VD_HANDLE handle, int32_t flushTransmit, int32_t flushReceive) {
    return OnPort(handle, [&](vdserial::SerialPort& port) {
        return port.Flush(flushTransmit != 0, flushReceive != 0);
    });
}

VD_EXPORT VD_STATUS VD_Write(VD_HANDLE handle, const void* buffer, int32_t bytesToWrite,
                             int32_t* bytesWritten, void* overlapped) {
    if (bytesWritten == nullptr || overlapped != nullptr) return VD_INVALID_PARAMETER;
    *bytesWritten = 0;
    return OnPort(handle, [&](vdserial::SerialPort& port) {
        return port.Write(buffer, bytesToWrite, *bytesWritten);
    });
}

VD_EXPORT VD_STATUS VD_Read(VD_HANDLE handle, void* buffer, int32_t bytesToRead,
                            int32_t* bytesReturned, void* overlapped) {
    if (bytesReturned == nullptr || overlapped != nullptr) return VD_INVALID_PARAMETER;
    *bytesReturned = 0;
    return OnPort(handle, [&](vdserial::SerialPort& port) {
        return port.Read(buffer, bytesToRead, *bytesReturned);
    });
}

// Other calls wait meanwhile: the port cannot be closed under the wait.
VD_EXPORT VD_STATUS VD_WaitForData(VD_HANDLE handle, int32_t timeoutMs) {
    return OnPort(handle, [&](vdserial::SerialPort& port) { return port.WaitForData(timeoutMs); });
}

VD_EXPORT VD_STATUS VD_Close(VD_HANDLE handle) {
    std::lock_guard guard(Lock());
    return Registry().Close(handle);
}

// The part number is the high byte of the USB product ID.
VD_EXPORT VD_STATUS VD_GetPartNumber(VD_HANDLE handle, uint8_t* partNumber) {
    if (partNumber == nullptr) return VD_INVALID_PARAMETER;
    std::lock_guard guard(Lock());
    if (Registry().Port(handle) == nullptr) return VD_INVALID_HANDLE;
    const unsigned long productId = std::strtoul(Registry().ProductId(handle).c_str(), nullptr, 16);
    *partNumber = static_cast<uint8_t>((productId >> 8) & 0xFF);
    return VD_OK;
}

VD_EXPORT VD_STATUS VD_SetTimeouts(VD_HANDLE handle, int32_t readTimeoutMs,
                                   int32_t writeTimeoutMs) {
    return OnPort(handle, [&](vdserial::SerialPort& port) {
        return port.SetTimeouts(readTimeoutMs, writeTimeoutMs);
    });
}

VD_EXPORT VD_STATUS VD_GetTimeouts(VD_HANDLE handle, int32_t* readTimeoutMs,
                                   int32_t* writeTimeoutMs) {
    if (readTimeoutMs == nullptr || writeTimeoutMs == nullptr) return VD_INVALID_PARAMETER;
    return OnPort(handle, [&](vdserial::SerialPort& port) {
        port.GetTimeouts(*readTimeoutMs, *writeTimeoutMs);
        return VD_OK;
    });
}

VD_EXPORT VD_STATUS VD_SetLineControl(VD_HANDLE handle, uint8_t dataBits, uint8_t parity,
                                      uint8_t stopBits) {
    return OnPort(handle, [&](vdserial::SerialPort& port) {
        return port.SetLineControl(dataBits, parity, stopBits);
    });
}

VD_EXPORT VD_STATUS VD_SetFlowControl(VD_HANDLE handle, uint16_t flowMode, uint8_t xonChar,
                                      uint8_t xoffChar) {
    return OnPort(handle, [&](vdserial::SerialPort& port) {
        return port.SetFlowControl(flowMode, xonChar, xoffChar);
    });
}

VD_EXPORT VD_STATUS VD_GetModemmlStatus(VD_HANDLE handle, uint8_t* modemStatus) {
    if (modemStatus == nullptr) return VD_INVALID_PARAMETER;
    return OnPort(handle,
                  [&](vdserial::SerialPort& port) { return port.ModemStatus(*modemStatus); });
}

VD_EXPORT VD_STATUS VD_CheckRXQueue(VD_HANDLE handle, uint32_t* bytesInQueue,
                                    uint32_t* queueStatus) {
    if (bytesInQueue == nullptr || queueStatus == nullptr) return VD_INVALID_PARAMETER;
    *queueStatus = 0;
    return OnPort(handle,
                  [&](vdserial::SerialPort& port) { return port.QueuedBytes(*bytesInQueue); });
}
