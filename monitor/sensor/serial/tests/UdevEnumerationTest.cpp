// The library's udev enumeration against mocked USB-serial devices: the order
// by bus path, product IDs and serial numbers from the USB device, devices that
// are not on USB left out. Runs under umockdev-wrapper.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <umockdev.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

    UMockdevTestbed* testbed_ = umockdev_testbed_new();
    std::map<std::string, std::string> syspaths_;
    zelvo::VdBridge bridge_{ZELVO_VDLINK_PATH};
};

TEST_F(UdevEnumerationTest, ListsUsbSerialPortsByBusPathWithTheirProductStrings) {
    ASSERT_TRUE(umockdev_in_mock_environment()) << "run this test under umockdev-wrapper";
    // Added out of order; a serial port on the main board is not a USB device.
    AddUsbSerial("1-10", "5c3e", "ZS9002", "ttyUSB2");
    AddTty("ttyS0", nullptr);
    AddUsbSerial("1-2", "6001", "FT4711", "ttyUSB1");
    AddUsbSerial("1-1.4", "5C3E", "ZS9001", "ttyUSB0");
    int32_t count = 0;
    ASSERT_EQ(bridge_.VD_GetNumDevices(count), VD_OK);
    ASSERT_EQ(count, 3);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"5C3E", "ZS9001"}, {"6001", "FT4711"}, {"5C3E", "ZS9002"}};
    for (int32_t i = 0; i < count; ++i) {
        std::string pid, serial;
        EXPECT_EQ(bridge_.VD_GetProductString(i, pid, VD_PRODUCT_ID), VD_OK);
        EXPECT_EQ(bridge_.VD_GetProductString(i, serial, VD_PRODUCT_SERIAL_NUMBER), VD_OK);
        EXPECT_EQ(pid, expected[static_cast<size_t>(i)].first) << i;
        EXPECT_EQ(serial, expected[static_cast<size_t>(i)].second) << i;
    }
}

TEST_F(UdevEnumerationTest, AnUnpluggedDeviceIsGoneFromTheNextEnumeration) {
    ASSERT_TRUE(umockdev_in_mock_environment()) << "run this test under umockdev-wrapper";
    AddUsbSerial("1-1", "5c3e", "ZS9001", "ttyUSB0");
    AddUsbSerial("1-3", "5c3e", "ZS9003", "ttyUSB1");
    int32_t count = 0;
    ASSERT_EQ(bridge_.VD_GetNumDevices(count), VD_OK);
    EXPECT_EQ(count, 2);
    umockdev_testbed_remove_device(testbed_, syspaths_.at("ttyUSB0").c_str());
    ASSERT_EQ(bridge_.VD_GetNumDevices(count), VD_OK);
    ASSERT_EQ(count, 1);
    std::string serial;
    EXPECT_EQ(bridge_.VD_GetProductString(0, serial, VD_PRODUCT_SERIAL_NUMBER), VD_OK);
    EXPECT_EQ(serial, "ZS9003");
}

// A lab machine without sensors: the monitor says so and ends cleanly. The mocked
// system, empty here, is what the program sees too.
TEST_F(UdevEnumerationTest, TheMonitorWithoutSensorsSaysSoAndEndsCleanly) {
    ASSERT_TRUE(umockdev_in_mock_environment()) << "run this test under umockdev-wrapper";
    AddTty("ttyS0", nullptr);
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("zelvo_nosensor_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string command = "cd '" + folder.string() + "' && " + ZELVO_CLI_PATH +
                                " --app-dir lab --bridge " + ZELVO_VDLINK_PATH +
                                " --seconds 0 >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    std::ifstream in(folder / "err.txt");
    const std::string err((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << err;
    EXPECT_NE(err.find("No Zelvos detected."), std::string::npos) << err;
    EXPECT_TRUE(fs::exists(folder / "lab" / "zelvo.cfg"));
    fs::remove_all(folder);
}

}  // namespace
