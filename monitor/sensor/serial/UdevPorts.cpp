#include "UdevPorts.hpp"

#include <libudev.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace vdserial {
namespace {

struct UdevFree {
    void operator()(udev* u) const { udev_unref(u); }
    void operator()(udev_enumerate* e) const { udev_enumerate_unref(e); }
    void operator()(udev_device* d) const { udev_device_unref(d); }
};

std::string Attribute(udev_device* device, const char* name) {
    const char* value = udev_device_get_sysattr_value(device, name);
    return value != nullptr ? value : "";
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

struct Found {
    std::string busPath;
    PortInfo port;
};

// The port of one tty device, when a USB device is among its parents.
std::optional<Found> PortOf(udev_device* tty) {
    const char* node = udev_device_get_devnode(tty);
    // Parents belong to the child: they are not unreferenced here.
    udev_device* usb = udev_device_get_parent_with_subsystem_devtype(tty, "usb", "usb_device");
    if (node == nullptr || usb == nullptr) return std::nullopt;
    udev_device* interface =
        udev_device_get_parent_with_subsystem_devtype(tty, "usb", "usb_interface");
    Found found;
    // The interface's path ("1-1.2:1.0") places the ports of one device apart.
    found.busPath = udev_device_get_sysname(interface != nullptr ? interface : usb);
    found.port.path = node;
    found.port.productId = Upper(Attribute(usb, "idProduct"));
    found.port.serial = Attribute(usb, "serial");
    return found;
}

}  // namespace

std::optional<std::string> ListUdevPorts(std::vector<PortInfo>& ports) {
    ports.clear();
    std::unique_ptr<udev, UdevFree> context(udev_new());
    if (!context) return std::string("udev is not available");
    std::unique_ptr<udev_enumerate, UdevFree> scan(udev_enumerate_new(context.get()));
    if (!scan || udev_enumerate_add_match_subsystem(scan.get(), "tty") < 0 ||
        udev_enumerate_scan_devices(scan.get()) < 0) {
        return std::string("udev could not list the tty devices");
    }
    std::vector<Found> found;
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(scan.get())) {
        std::unique_ptr<udev_device, UdevFree> tty(
            udev_device_new_from_syspath(context.get(), udev_list_entry_get_name(entry)));
        if (!tty) continue;  // gone between the scan and now
        if (auto port = PortOf(tty.get())) found.push_back(std::move(*port));
    }
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        if (a.busPath != b.busPath) return BusPathBefore(a.busPath, b.busPath);
        return a.port.path < b.port.path;
    });
    for (Found& f : found) ports.push_back(std::move(f.port));
    return std::nullopt;
}

}  // namespace vdserial
