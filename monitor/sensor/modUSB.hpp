// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Run-time binding of the bridge access library. The library is opened by name
// with dlopen when first needed and each entry point is bound with dlsym on its
// first call. A library or entry point that cannot be bound throws ZelvoError
// (LibraryNotFound or EntryPointNotFound) from the call, for the calling
// procedure to report.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "VdLink.h"

namespace zelvo {

// Name of the bridge library when neither --bridge nor ZELVO_BRIDGE names another.
inline constexpr const char* kDefaultBridgeLibrary = "libvdlink.so";

class VdBridge {
  public:
    explicit VdBridge(std::string libraryName = kDefaultBridgeLibrary);
    ~VdBridge();
    VdBridge(const VdBridge&) = delete;
    VdBridge& operator=(const VdBridge&) = delete;

    // Names another library; the current one is released and entry points are bound
    // afresh on their next call.
    void SetLibraryName(const std::string& libraryName);
    const std::string& LibraryName() const { return libraryName_; }
    // Status of the latest call.
    int32_t LastStatus() const { return lastStatus_; }

    int32_t VD_GetNumDevices(int32_t& count);
    // Option 0: serial number, option 4: product ID, option 8: port path; the text
    // up to the first NUL.
    int32_t VD_GetProductString(int32_t deviceIndex, std::string& text, int32_t option);
    int32_t VD_Open(int32_t deviceIndex, int32_t& handle);
    int32_t VD_SetBaudRate(int32_t handle, int32_t baudRate);
    int32_t VD_FlushBuffers(int32_t handle, int32_t flushTransmit, int32_t flushReceive);
    int32_t VD_Write(int32_t handle, const std::string& bytes, int32_t& bytesWritten);
    // Reads up to bytesToRead bytes into the zeroed buffer (resized to bytesToRead).
    int32_t VD_Read(int32_t handle, std::vector<char>& buffer, int32_t bytesToRead,
                    int32_t& bytesReturned);
    int32_t VD_Close(int32_t handle);
    // The ZELVO_PORTS entries the last enumeration left out, one "path<TAB>reason"
    // line each. An optional entry point: false, with nothing thrown, when the
    // library lacks it (or refuses, its status in LastStatus).
    bool VD_GetSkippedPorts(std::string& text);
    // Waits at most timeoutMs for bytes to read on the handle: VD_OK when some
    // wait, VD_WAIT_TIMEOUT when none came. Optional: nothing, with nothing
    // thrown, when the library lacks the entry point.
    std::optional<int32_t> VD_WaitForData(int32_t handle, int32_t timeoutMs);
    // The other program that holds the device open: pid 0 when none is seen.
    // Optional: false, with nothing thrown, when the library lacks it (or refuses,
    // its status in LastStatus).
    bool VD_GetPortOpener(int32_t deviceIndex, int32_t& pid, std::string& name);

  private:
    enum Entry {
        GetNumDevices,
        GetProductString,
        Open,
        SetBaudRate,
        FlushBuffers,
        Write,
        Read,
        Close,
        EntryCount
    };
    enum OptionalEntry { SkippedPortsEntry, WaitEntry, OpenerEntry, OptionalCount };
    void* Bind(Entry entry);
    // An optional entry point, or nullptr when the library lacks it (looked up once
    // per library).
    void* BindOptional(OptionalEntry entry);
    void Load();
    void Release();

    std::string libraryName_;
    void* library_ = nullptr;
    void* entries_[EntryCount] = {};
    void* optional_[OptionalCount] = {};
    bool optionalLooked_[OptionalCount] = {};
    int32_t lastStatus_ = 0;
};

// The program's bridge library, named by SetBridgeLibraryName (default libvdlink.so).
VdBridge& VdLibrary();
void SetBridgeLibraryName(const std::string& libraryName);

// The library the monitor is to use: the value of "--bridge PATH" (or
// "--bridge=PATH") among the arguments, else the environment variable
// ZELVO_BRIDGE when set and not empty, else libvdlink.so.
std::string BridgeLibraryFromArguments(const std::vector<std::string>& arguments);

}  // namespace zelvo
