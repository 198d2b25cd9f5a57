// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "modUSB.hpp"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>

#include "ZelvoError.hpp"

namespace zelvo {
namespace {

constexpr const char* kEntryNames[] = {"VD_GetNumDevices", "VD_GetProductString",
                                       "VD_Open",          "VD_SetBaudRate",
                                       "VD_FlushBuffers",  "VD_Write",
                                       "VD_Read",          "VD_Close"};

using GetNumDevicesFn = VD_STATUS (*)(int32_t*);
using GetProductStringFn = VD_STATUS (*)(int32_t, char*, int32_t);
using OpenFn = VD_STATUS (*)(int32_t, VD_HANDLE*);
using SetBaudRateFn = VD_STATUS (*)(VD_HANDLE, int32_t);
using FlushBuffersFn = VD_STATUS (*)(VD_HANDLE, int32_t, int32_t);
using WriteFn = VD_STATUS (*)(VD_HANDLE, const void*, int32_t, int32_t*, void*);
using ReadFn = VD_STATUS (*)(VD_HANDLE, void*, int32_t, int32_t*, void*);
using CloseFn = VD_STATUS (*)(VD_HANDLE);
using GetSkippedPortsFn = VD_STATUS (*)(char*, int32_t);
using WaitForDataFn = VD_STATUS (*)(VD_HANDLE, int32_t);
using GetPortOpenerFn = VD_STATUS (*)(int32_t, int32_t*, char*, int32_t);

constexpr const char* kOptionalNames[] = {"VD_GetSkippedPorts", "VD_WaitForData",
                                          "VD_GetPortOpener"};
// Room for a program's name.
constexpr int32_t kOpenerNameSize = 256;

// Room for the skipped-ports text at first, and at most.
constexpr size_t kSkippedTextSize = 4096;
constexpr size_t kSkippedTextLimit = 1 << 20;

template <class Fn>
Fn As(void* symbol) {
    return reinterpret_cast<Fn>(symbol);
}

}  // namespace

VdBridge::VdBridge(std::string libraryName) : libraryName_(std::move(libraryName)) {}

VdBridge::~VdBridge() {
    Release();
}

void VdBridge::SetLibraryName(const std::string& libraryName) {
    Release();
    libraryName_ = libraryName;
}

void VdBridge::Release() {
    std::memset(entries_, 0, sizeof entries_);
    std::memset(optional_, 0, sizeof optional_);
    std::memset(optionalLooked_, 0, sizeof optionalLooked_);
    if (library_ == nullptr) return;
    void* library = library_;
    library_ = nullptr;
    // A library that refuses to unload stays mapped until exit; its bindings are
    // dropped all the same, so nothing calls into it through this object again.
    if (dlclose(library) != 0) return;
}

void VdBridge::Load() {
    if (library_ != nullptr) return;
    library_ = dlopen(libraryName_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library_ == nullptr) {
        const char* why = dlerror();
        throw ZelvoError(err::LibraryNotFound,
                         "Error in loading library " + libraryName_ +
                             (why != nullptr ? std::string(" (") + why + ")" : std::string()));
    }
}

void* VdBridge::Bind(Entry entry) {
    if (entries_[entry] != nullptr) return entries_[entry];
    Load();
    dlerror();
    void* symbol = dlsym(library_, kEntryNames[entry]);
    if (symbol == nullptr) {
        throw ZelvoError(err::EntryPointNotFound, std::string("Can't find library entry point ") +
                                                      kEntryNames[entry] + " in " + libraryName_);
    }
    entries_[entry] = symbol;
    return symbol;
}

void* VdBridge::BindOptional(OptionalEntry entry) {
    if (optionalLooked_[entry]) return optional_[entry];
    Load();
    optional_[entry] = dlsym(library_, kOptionalNames[entry]);
    optionalLooked_[entry] = true;
    return optional_[entry];
}

int32_t VdBridge::VD_GetNumDevices(int32_t& count) {
    count = 0;
    lastStatus_ = As<GetNumDevicesFn>(Bind(GetNumDevices))(&count);
    return lastStatus_;
}

int32_t VdBridge::VD_GetProductString(int32_t deviceIndex, std::string& text, int32_t option) {
    char buffer[VD_PRODUCT_STRING_SIZE] = {};
    lastStatus_ = As<GetProductStringFn>(Bind(GetProductString))(deviceIndex, buffer, option);
    buffer[VD_PRODUCT_STRING_SIZE - 1] = '\0';  // a library that fills all 257 bytes
    text.assign(buffer, strnlen(buffer, VD_PRODUCT_STRING_SIZE - 2));
    return lastStatus_;
}

int32_t VdBridge::VD_Open(int32_t deviceIndex, int32_t& handle) {
    handle = 0;
    lastStatus_ = As<OpenFn>(Bind(Open))(deviceIndex, &handle);
    return lastStatus_;
}

int32_t VdBridge::VD_SetBaudRate(int32_t handle, int32_t baudRate) {
    lastStatus_ = As<SetBaudRateFn>(Bind(SetBaudRate))(handle, baudRate);
    return lastStatus_;
}

int32_t VdBridge::VD_FlushBuffers(int32_t handle, int32_t flushTransmit, int32_t flushReceive) {
    lastStatus_ = As<FlushBuffersFn>(Bind(FlushBuffers))(handle, flushTransmit, flushReceive);
    return lastStatus_;
}

int32_t VdBridge::VD_Write(int32_t handle, const std::string& bytes, int32_t& bytesWritten) {
    bytesWritten = 0;
    lastStatus_ = As<WriteFn>(Bind(Write))(handle, bytes.data(), static_cast<int32_t>(bytes.size()),
                                           &bytesWritten, nullptr);
    return lastStatus_;
}

int32_t VdBridge::VD_Read(int32_t handle, std::vector<char>& buffer, int32_t bytesToRead,
                          int32_t& bytesReturned) {
    buffer.assign(static_cast<size_t>(bytesToRead), '\0');
    bytesReturned = 0;
    lastStatus_ =
        As<ReadFn>(Bind(Read))(handle, buffer.data(), bytesToRead, &bytesReturned, nullptr);
    return lastStatus_;
}

int32_t VdBridge::VD_Close(int32_t handle) {
    lastStatus_ = As<CloseFn>(Bind(Close))(handle);
    return lastStatus_;
}

bool VdBridge::VD_GetSkippedPorts(std::string& text) {
    text.clear();
    void* skippedPorts = BindOptional(SkippedPortsEntry);
    if (skippedPorts == nullptr) return false;
    // A text that fills the buffer may have been cut: asked again with more room.
    for (size_t size = kSkippedTextSize;; size *= 2) {
        std::vector<char> buffer(size, '\0');
        lastStatus_ =
            As<GetSkippedPortsFn>(skippedPorts)(buffer.data(), static_cast<int32_t>(size));
        buffer.back() = '\0';
        text.assign(buffer.data());
        if (lastStatus_ != VD_OK || text.size() < size - 1 || size >= kSkippedTextLimit) break;
    }
    return lastStatus_ == VD_OK;
}

std::optional<int32_t> VdBridge::VD_WaitForData(int32_t handle, int32_t timeoutMs) {
    void* wait = BindOptional(WaitEntry);
    if (wait == nullptr) return std::nullopt;
    lastStatus_ = As<WaitForDataFn>(wait)(handle, timeoutMs);
    return lastStatus_;
}

bool VdBridge::VD_GetPortOpener(int32_t deviceIndex, int32_t& pid, std::string& name) {
    pid = 0;
    name.clear();
    void* opener = BindOptional(OpenerEntry);
    if (opener == nullptr) return false;
    char buffer[kOpenerNameSize] = {};
    lastStatus_ = As<GetPortOpenerFn>(opener)(deviceIndex, &pid, buffer, kOpenerNameSize);
    name.assign(buffer, strnlen(buffer, kOpenerNameSize - 1));
    if (lastStatus_ == VD_OK) return true;
    pid = 0;
    name.clear();
    return false;
}

VdBridge& VdLibrary() {
    static VdBridge bridge;
    return bridge;
}

void SetBridgeLibraryName(const std::string& libraryName) {
    VdLibrary().SetLibraryName(libraryName);
}

std::string BridgeLibraryFromArguments(const std::vector<std::string>& arguments) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--bridge" && i + 1 < arguments.size()) return arguments[i + 1];
        if (arguments[i].rfind("--bridge=", 0) == 0) return arguments[i].substr(9);
    }
    const char* fromEnvironment = std::getenv("ZELVO_BRIDGE");
    if (fromEnvironment != nullptr && *fromEnvironment != '\0') return fromEnvironment;
    return kDefaultBridgeLibrary;
}

}  // namespace zelvo
