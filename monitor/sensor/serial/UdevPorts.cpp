// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UdevPorts.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace vdserial {
namespace {

// Read straight from sysfs, the tree udev describes devices from: listing the
// terminals through libudev opens each one's device and parents afresh (about
// 0.15 ms a terminal, and a machine has a hundred terminals, nearly all of them
// consoles or serial ports on the board), too slow for an enumeration that a
// monitor repeats every 2 s while a sensor is gone.
constexpr const char* kTerminals = "/sys/class/tty";
constexpr const char* kDevices = "/sys/devices";

struct DirClose {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

std::optional<std::string> LinkTarget(const std::string& path) {
    char target[4096];
    const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
    if (n <= 0 || static_cast<size_t>(n) >= sizeof target) return std::nullopt;
    return std::string(target, static_cast<size_t>(n));
}

std::string Parent(const std::string& path) {
    return path.substr(0, path.rfind('/'));
}

std::string Name(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// `target` of a link in folder `folder`, as a path without "." or "..".
std::string Resolve(const std::string& folder, const std::string& target) {
    std::string path = target.starts_with('/') ? "" : folder;
    size_t begin = 0;
    while (begin <= target.size()) {
        const size_t end = std::min(target.find('/', begin), target.size());
        const std::string part = target.substr(begin, end - begin);
        if (part == "..") {
            path = Parent(path);
        } else if (!part.empty() && part != ".") {
            path += "/" + part;
        }
        begin = end + 1;
    }
    return path;
}

// A sysfs attribute's first line; empty when it cannot be read.
std::string Attribute(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return "";
    char text[4096];
    const ssize_t n = ::read(fd, text, sizeof text);
    ::close(fd);
    const std::string value(text, n > 0 ? static_cast<size_t>(n) : 0);
    return value.substr(0, value.find('\n'));
}

// The value of `key` in a device's uevent; empty when it has none.
std::string UeventValue(const std::string& device, const std::string& key) {
    const int fd = ::open((device + "/uevent").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return "";
    std::string text(4096, '\0');
    const ssize_t n = ::read(fd, text.data(), text.size());
    ::close(fd);
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    const std::string line = key + "=";
    const size_t at = text.starts_with(line) ? 0 : text.find("\n" + line);
    if (at == std::string::npos) return "";
    const size_t begin = at + line.size() + (at == 0 ? 0 : 1);
    return text.substr(begin, text.find('\n', begin) - begin);
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

struct Found {
    std::string busPath;
    PortInfo port;
};

// The port of the terminal whose device is `device`, when a USB device is among
// its parents. On the USB bus an interface is named "1-1.2:1.0", a device
// "1-1.2" (or "usb1" for a root hub).
std::optional<Found> PortOf(const std::string& device) {
    std::string interface, usb;
    for (std::string dir = Parent(device); dir.size() > std::char_traits<char>::length(kDevices);
         dir = Parent(dir)) {
        const std::optional<std::string> subsystem = LinkTarget(dir + "/subsystem");
        if (!subsystem || Name(*subsystem) != "usb") continue;
        if (Name(dir).find(':') == std::string::npos) {
            usb = dir;
            break;
        }
        if (interface.empty()) interface = dir;
    }
    const std::string node = UeventValue(device, "DEVNAME");
    if (usb.empty() || node.empty()) return std::nullopt;
    Found found;
    // The interface's path ("1-1.2:1.0") places the ports of one device apart.
    found.busPath = Name(interface.empty() ? usb : interface);
    found.port.path = node.starts_with('/') ? node : "/dev/" + node;
    found.port.productId = Upper(Attribute(usb + "/idProduct"));
    found.port.serial = Attribute(usb + "/serial");
    return found;
}

}  // namespace

std::optional<std::string> ListUdevPorts(std::vector<PortInfo>& ports) {
    ports.clear();
    std::unique_ptr<DIR, DirClose> terminals(::opendir(kTerminals));
    if (!terminals) return std::string("the terminals in ") + kTerminals + " cannot be listed";
    std::vector<Found> found;
    while (const dirent* entry = ::readdir(terminals.get())) {
        if (entry->d_name[0] == '.') continue;
        // Gone between the listing and now: left out.
        const std::optional<std::string> target =
            LinkTarget(std::string(kTerminals) + "/" + entry->d_name);
        if (!target) continue;
        const std::string device = Resolve(kTerminals, *target);
        if (device.starts_with(std::string(kDevices) + "/virtual/")) continue;  // consoles
        if (auto port = PortOf(device)) found.push_back(std::move(*port));
    }
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.busPath != b.busPath) return BusPathBefore(a.busPath, b.busPath);
        return a.port.path < b.port.path;
    });
    for (Found& f : found) ports.push_back(std::move(f.port));
    return std::nullopt;
}

}  // namespace vdserial
