// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The library's udev enumeration against mocked USB-serial devices: the order
// by bus path, product IDs and serial numbers from the USB device, devices that
// are not on USB left out, a device unplugged. Runs under umockdev-wrapper.

#include <gtest/gtest.h>
#include <umockdev.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "VdLink.h"
#include "modUSB.hpp"

namespace {

class UdevEnumerationTest : public ::testing::Test {
  protected:
    UdevEnumerationTest() { ::unsetenv("ZELVO_PORTS"); }
    ~UdevEnumerationTest() override { g_object_unref(testbed_); }

    // A USB device at bus path `busPath` with one interface and its tty; the
    // tty's system path is kept under its name.
    void AddUsbSerial(const std::string& busPath, const char* product, const char* serial,
                      const std::string& tty) {
        gchar* usb = umockdev_testbed_add_device(testbed_, "usb", busPath.c_str(), nullptr,
                                                 "idVendor", "1d50", "idProduct", product, "serial",
                                                 serial, nullptr, "DEVTYPE", "usb_device", nullptr);
        ASSERT_NE(usb, nullptr);
        const std::string interfaceName = busPath + ":1.0";
        gchar* interface = umockdev_testbed_add_device(testbed_, "usb", interfaceName.c_str(), usb,
                                                       "bInterfaceNumber", "00", nullptr, "DEVTYPE",
                                                       "usb_interface", nullptr);
        ASSERT_NE(interface, nullptr);
        AddTty(tty, interface);
        g_free(interface);
        g_free(usb);
    }
    void AddTty(const std::string& name, const gchar* parent) {
        const std::string node = "/dev/" + name;
        gchar* tty = umockdev_testbed_add_device(testbed_, "tty", name.c_str(), parent, nullptr,
                                                 "DEVNAME", node.c_str(), nullptr);
        ASSERT_NE(tty, nullptr);
        syspaths_[name] = tty;
        g_free(tty);
    }

    // Product ID and serial number of every port the library enumerates.
    using Ports = std::vector<std::pair<std::string, std::string>>;
    Ports Enumerated() {
        int32_t count = 0;
        EXPECT_EQ(bridge_.VD_GetNumDevices(count), VD_OK);
        Ports ports(static_cast<size_t>(count));
        for (int32_t i = 0; i < count; ++i) {
            auto& [pid, serial] = ports[static_cast<size_t>(i)];
            EXPECT_EQ(bridge_.VD_GetProductString(i, pid, VD_PRODUCT_ID), VD_OK);
            EXPECT_EQ(bridge_.VD_GetProductString(i, serial, VD_PRODUCT_SERIAL_NUMBER), VD_OK);
        }
        return ports;
    }

    UMockdevTestbed* testbed_ = umockdev_testbed_new();
    std::map<std::string, std::string> syspaths_;
    zelvo::VdBridge bridge_{ZELVO_VDLINK_PATH};
};

TEST_F(UdevEnumerationTest, ListsUsbSerialPortsByBusPathAndForgetsAnUnpluggedOne) {
    ASSERT_TRUE(umockdev_in_mock_environment()) << "run this test under umockdev-wrapper";
    // Added out of order; a serial port on the main board is not a USB device.
    AddUsbSerial("1-10", "5c3e", "ZS9002", "ttyUSB2");
    AddTty("ttyS0", nullptr);
    AddUsbSerial("1-2", "6001", "FT4711", "ttyUSB1");
    AddUsbSerial("1-1.4", "5C3E", "ZS9001", "ttyUSB0");
    EXPECT_EQ(Enumerated(), (Ports{{"5C3E", "ZS9001"}, {"6001", "FT4711"}, {"5C3E", "ZS9002"}}));
    umockdev_testbed_remove_device(testbed_, syspaths_.at("ttyUSB1").c_str());
    EXPECT_EQ(Enumerated(), (Ports{{"5C3E", "ZS9001"}, {"5C3E", "ZS9002"}}));
}

}  // namespace
