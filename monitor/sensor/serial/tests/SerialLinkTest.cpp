// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// libvdlink.so through the monitor's bridge binding, against sensors served by
// zelvosim on pseudo-terminals: what the wire adds to the simulator's tests.
// Enumeration from ZELVO_PORTS, a terminal held exclusively at its line rate,
// the calls the monitor does not use, an unplug, and the replies that travel
// differently over a terminal.

#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "ConsoleDesktop.hpp"
#include "PortList.hpp"
#include "SensorStatus.hpp"
#include "VdLink.h"
#include "ZelvosimProcess.hpp"
#include "cErrHandler.hpp"
#include "cZelvo.hpp"
#include "modUSB.hpp"

namespace zelvo::testing {
namespace {

// Both bridge libraries offer the whole interface, also the calls the monitor
// never makes.
class BridgeLibraryTest : public ::testing::TestWithParam<std::string> {};

TEST_P(BridgeLibraryTest, ExportsAllFifteenEntryPoints) {
    void* library = dlopen(GetParam().c_str(), RTLD_NOW);
    ASSERT_NE(library, nullptr) << dlerror();
    for (const char* name :
         {"VD_GetNumDevices", "VD_GetProductString", "VD_Open", "VD_SetBaudRate", "VD_FlushBuffers",
          "VD_Write", "VD_Read", "VD_Close", "VD_GetPartNumber", "VD_SetTimeouts", "VD_GetTimeouts",
          "VD_SetLineControl", "VD_SetFlowControl", "VD_GetModemmlStatus", "VD_CheckRXQueue"}) {
        EXPECT_NE(dlsym(library, name), nullptr) << name;
    }
    EXPECT_EQ(dlclose(library), 0);
}

INSTANTIATE_TEST_SUITE_P(SerialAndSimulated, BridgeLibraryTest,
                         ::testing::Values(ZelvosimProcess::LibraryPath(),
                                           std::string(ZELVO_SIM_LIBRARY_PATH)));

// An entry point of the library that the monitor's binding does not offer.
template <typename Function>
Function* Bind(void* library, const char* name) {
    return reinterpret_cast<Function*>(dlsym(library, name));
}

class SerialLinkTest : public ::testing::Test {
  protected:
    SerialLinkTest() {
        ErrHandler().Destination(report_.string());
        SetDesktop(&desktop_);
    }
    ~SerialLinkTest() override {
        SetDesktop(nullptr);
        std::filesystem::remove(report_);
    }

    // Sends one line and returns the first non-empty read within a second.
    std::string Exchange(int32_t handle, const std::string& line) {
        int32_t n = 0;
        EXPECT_EQ(bridge_.VD_FlushBuffers(handle, 1, 1), VD_OK);
        EXPECT_EQ(bridge_.VD_Write(handle, line, n), VD_OK);
        EXPECT_EQ(n, static_cast<int32_t>(line.size()));
        std::vector<char> buffer;
        for (int i = 0; i < 1000; ++i) {
            EXPECT_EQ(bridge_.VD_Read(handle, buffer, 252, n), VD_OK);
            if (n > 0) return std::string(buffer.data(), static_cast<size_t>(n));
            desktop_.Sleep(1);
        }
        return "";
    }

    std::filesystem::path report_ = std::filesystem::temp_directory_path() /
                                    ("zelvo-serial-" + std::to_string(::getpid()) + ".txt");
    ConsoleDesktop desktop_{true};
    VdBridge bridge_{ZelvosimProcess::LibraryPath()};
};

TEST_F(SerialLinkTest, EnumeratesZelvosimsPortsAndHoldsAnOpenedOneExclusively) {
    ZelvosimProcess sim("devices=3;d1.pid=6001;d2.serial=LAB-7;revision=2.10");
    std::vector<vdserial::PortInfo> served;
    ASSERT_FALSE(vdserial::ParsePortList(sim.Ports(), served));
    const std::string file = report_.string() + ".port";
    std::ofstream(file).put('x');
    PortsEnvironment ports(sim.Ports() + ";/dev/zelvo-no-such-port=5C3E,GONE;" + file +
                           "=5C3E,FILE;" + served[0].path + "=5C3E,AGAIN");
    int32_t count = 0, handle = 0, second = 0;
    ASSERT_EQ(bridge_.VD_GetNumDevices(count), VD_OK);
    ASSERT_EQ(count, 3);  // the entries left out are named, once each
    std::string skipped;
    ASSERT_TRUE(bridge_.VD_GetSkippedPorts(skipped));
    EXPECT_EQ(skipped, "/dev/zelvo-no-such-port\tmissing\n" + file + "\tnot a terminal\n" +
                           served[0].path + "\tduplicate\n");
    std::filesystem::remove(file);
    const char* expected[][2] = {{"5C3E", "ZS0001"}, {"6001", "ZS0002"}, {"5C3E", "LAB-7"}};
    for (int32_t i = 0; i < count; ++i) {
        std::string pid, serial;
        EXPECT_EQ(bridge_.VD_GetProductString(i, pid, VD_PRODUCT_ID), VD_OK);
        EXPECT_EQ(bridge_.VD_GetProductString(i, serial, VD_PRODUCT_SERIAL_NUMBER), VD_OK);
        EXPECT_EQ(pid, expected[i][0]);
        EXPECT_EQ(serial, expected[i][1]);
    }
    std::string text;
    EXPECT_EQ(bridge_.VD_GetProductString(3, text, VD_PRODUCT_ID), VD_DEVICE_NOT_FOUND);
    EXPECT_EQ(bridge_.VD_GetProductString(0, text, 2), VD_INVALID_PARAMETER);
    EXPECT_EQ(bridge_.VD_GetProductString(2, text, VD_PRODUCT_PORT), VD_OK);
    EXPECT_EQ(text, served[2].path);

    // A pseudo-terminal has no low-latency mode to give: it opens all the same.
    ASSERT_EQ(bridge_.VD_Open(0, handle), VD_OK);
    ASSERT_GT(handle, 0);
    ASSERT_EQ(bridge_.VD_SetBaudRate(handle, 115200), VD_OK);
    EXPECT_EQ(bridge_.VD_SetBaudRate(handle, 12345), VD_INVALID_BAUD_RATE);
    EXPECT_EQ(bridge_.VD_Open(0, second), VD_DEVICE_IN_USE);
    EXPECT_EQ(Exchange(handle, "!@\r\n"), "!@2.10\r\n");
    // Closed, the port can be opened again.
    EXPECT_EQ(bridge_.VD_Close(handle), VD_OK);
    EXPECT_EQ(bridge_.VD_Close(handle), VD_INVALID_HANDLE);
    EXPECT_EQ(bridge_.VD_Open(0, second), VD_OK);
    EXPECT_EQ(bridge_.VD_Close(second), VD_OK);
    EXPECT_EQ(sim.Stop(), 0);  // SIGTERM ends it cleanly
}

TEST_F(SerialLinkTest, TheCallsTheMonitorDoesNotUseWork) {
    ZelvosimProcess sim("devices=1");
    PortsEnvironment ports(sim.Ports());
    int32_t count = 0, handle = 0;
    ASSERT_EQ(bridge_.VD_GetNumDevices(count), VD_OK);
    ASSERT_EQ(bridge_.VD_Open(0, handle), VD_OK);
    void* library = dlopen(ZelvosimProcess::LibraryPath().c_str(), RTLD_NOW);
    ASSERT_NE(library, nullptr);
    auto partNumber = Bind<decltype(VD_GetPartNumber)>(library, "VD_GetPartNumber");
    auto setTimeouts = Bind<decltype(VD_SetTimeouts)>(library, "VD_SetTimeouts");
    auto getTimeouts = Bind<decltype(VD_GetTimeouts)>(library, "VD_GetTimeouts");
    auto lineControl = Bind<decltype(VD_SetLineControl)>(library, "VD_SetLineControl");
    auto flowControl = Bind<decltype(VD_SetFlowControl)>(library, "VD_SetFlowControl");
    auto modem = Bind<decltype(VD_GetModemmlStatus)>(library, "VD_GetModemmlStatus");
    auto queue = Bind<decltype(VD_CheckRXQueue)>(library, "VD_CheckRXQueue");
    uint8_t part = 0, lines = 0xFF;
    EXPECT_EQ(partNumber(handle, &part), VD_OK);
    EXPECT_EQ(part, 0x5C);
    int32_t readMs = -1, writeMs = -1;
    EXPECT_EQ(setTimeouts(handle, 20, 300), VD_OK);
    EXPECT_EQ(getTimeouts(handle, &readMs, &writeMs), VD_OK);
    EXPECT_EQ(readMs, 20);
    EXPECT_EQ(writeMs, 300);
    EXPECT_EQ(setTimeouts(handle, -1, 0), VD_INVALID_PARAMETER);
    EXPECT_EQ(lineControl(handle, 7, 2, 2), VD_OK);
    EXPECT_EQ(lineControl(handle, 8, 0, 0), VD_OK);
    EXPECT_EQ(lineControl(handle, 9, 0, 0), VD_INVALID_PARAMETER);
    EXPECT_EQ(flowControl(handle, 3, 0x11, 0x13), VD_OK);
    EXPECT_EQ(flowControl(handle, 0, 0, 0), VD_OK);
    EXPECT_EQ(flowControl(handle, 2, 0, 0), VD_INVALID_PARAMETER);  // DTR/DSR: no such lines
    EXPECT_EQ(flowControl(handle, 3, 0x11, 0x11), VD_INVALID_PARAMETER);
    EXPECT_EQ(modem(handle, &lines), VD_OK);
    EXPECT_EQ(lines, 0);  // a pseudo-terminal has no modem lines
    // A reply waiting in the receive queue is counted.
    EXPECT_EQ(setTimeouts(handle, 0, 300), VD_OK);
    int32_t n = 0;
    ASSERT_EQ(bridge_.VD_Write(handle, "!@\r\n", n), VD_OK);
    uint32_t queued = 0, status = 1;
    for (int i = 0; i < 1000 && queued == 0; ++i) {
        ASSERT_EQ(queue(handle, &queued, &status), VD_OK);
        desktop_.Sleep(1);
    }
    EXPECT_EQ(queued, 8u);  // "!@1.07" CR LF
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(partNumber(handle + 100, &part), VD_INVALID_HANDLE);
    EXPECT_EQ(dlclose(library), 0);
}

TEST_F(SerialLinkTest, AnUnpluggedSensorFailsItsCallsAndLeavesTheEnumeration) {
    // Gone after two exchanges: its terminal closes.
    ZelvosimProcess sim("devices=2;d0.fault=unplug:2");
    PortsEnvironment ports(sim.Ports());
    int32_t count = 0, handle = 0, n = 0;
    ASSERT_EQ(bridge_.VD_GetNumDevices(count), VD_OK);
    ASSERT_EQ(bridge_.VD_Open(0, handle), VD_OK);
    EXPECT_FALSE(Exchange(handle, "!@\r\n").empty());
    EXPECT_FALSE(Exchange(handle, "!@\r\n").empty());
    EXPECT_EQ(bridge_.VD_Write(handle, "!@\r\n", n), VD_OK);  // taken, never answered
    std::vector<char> buffer;
    int32_t status = VD_OK;
    for (int i = 0; i < 1000 && status == VD_OK; ++i) {
        status = bridge_.VD_Read(handle, buffer, 252, n);
        desktop_.Sleep(1);
    }
    EXPECT_EQ(status, VD_IO_ERROR);
    EXPECT_EQ(bridge_.VD_FlushBuffers(handle, 1, 1), VD_IO_ERROR);
    EXPECT_EQ(bridge_.VD_Write(handle, "!@\r\n", n), VD_IO_ERROR);
    EXPECT_EQ(bridge_.VD_Close(handle), VD_OK);
    ASSERT_EQ(bridge_.VD_GetNumDevices(count), VD_OK);
    EXPECT_EQ(count, 1);
    std::string serial;
    EXPECT_EQ(bridge_.VD_GetProductString(0, serial, VD_PRODUCT_SERIAL_NUMBER), VD_OK);
    EXPECT_EQ(serial, "ZS0002");
}

// The sensor manager over the serial library, for what a terminal carries
// differently from the in-process simulator: opens refused (ports held by
// another program named), NUL bytes, replies
// late, in pieces or too long, and sensors that leave the bus.
TEST_F(SerialLinkTest, TheSensorManagerSeesTheWiresFaultsAsInProcess) {
    const std::tuple<std::string, int16_t, int32_t> cases[] = {
        {"d0.fault=open", 0, ZelvoStatus::NotFound},
        {"d0.pid=6001", 0, ZelvoStatus::NotFound},
        {"d0.fault=nul", 1, ZelvoStatus::CommFailure},
        // The late reply of one exchange is flushed before the next.
        {"d0.fault=slow:150", 1, ZelvoStatus::CommFailure},
        // A reply in pieces is read whole while the pause between them stays
        // within the library's quiet time; after a longer one the first piece
        // alone is the reply: far too few ticks, and the reading says so.
        {"d0.fault=split:2", 1, ZelvoStatus::Success},
        {"d0.fault=split:50", 1, ZelvoStatus::OutOfLimits},
        // Gone after discovery's two period commands: the reading's read fails on
        // the hung-up line, and the sensor is not asked again.
        {"d0.fault=unplug:2", 1, ZelvoStatus::NotFound},
        {"d0.fault=vanish:2", 1, ZelvoStatus::NotFound},
        {"d0.reply=!A41610702" + std::string(300, 'x'), 1, ZelvoStatus::Success},
    };
    for (const auto& [config, found, status] : cases) {
        ZelvosimProcess sim("devices=2;rate=0;" + config);
        PortsEnvironment ports(sim.Ports());
        cZelvo zelvo(bridge_);
        DiscoveryList serials;
        ASSERT_EQ(zelvo.FindZelvos(serials), found + 1) << config;
        EXPECT_EQ(serials[found], "ZS0002") << config;
        // The record knows its port; a port zelvosim holds locked is named as in use.
        std::vector<vdserial::PortInfo> served;
        ASSERT_FALSE(vdserial::ParsePortList(sim.Ports(), served));
        EXPECT_EQ(zelvo.Record(found + 1).Port, served[1].path) << config;
        std::vector<SkippedPort> held;
        if (config == "d0.fault=open") held.push_back({served[0].path, "ZS0001", kPortInUse});
        EXPECT_EQ(zelvo.SkippedPorts(), held) << config;
        for (int again = 0; again < 2; ++again) {
            ReadingResult r{};
            EXPECT_EQ(zelvo.GetReading("ZS0001", r), status) << config;
            if (status == ZelvoStatus::Success) {
                EXPECT_NEAR(r[kResultFrequency], 5980000, 1) << config;
            }
            for (double v : r) EXPECT_TRUE(std::isfinite(v)) << config;
        }
    }
}

// A terminal program opens a port without taking its lock: the port is in use
// all the same, discovery names that program until it lets go, and the program's
// line settings stay as it set them.
TEST_F(SerialLinkTest, APortOpenInAnotherProgramWithoutItsLockIsNamedAsInUse) {
    ZelvosimProcess sim("devices=2;rate=0");
    PortsEnvironment ports(sim.Ports());
    std::vector<vdserial::PortInfo> served;
    ASSERT_FALSE(vdserial::ParsePortList(sim.Ports(), served));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        ::prctl(PR_SET_NAME, "zelvo-holder");
        const char opened = ::open(served[0].path.c_str(), O_RDWR | O_NOCTTY) >= 0 ? '1' : '0';
        if (::write(ready[1], &opened, 1) == 1) ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char opened = 0;
    const bool told = ::read(ready[0], &opened, 1) == 1 && opened == '1';
    ::close(ready[0]);
    const int line = ::open(served[0].path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios before{}, after{};
    ASSERT_EQ(::tcgetattr(line, &before), 0);
    cZelvo zelvo(bridge_);
    DiscoveryList serials;
    const int16_t whileHeld = told ? zelvo.FindZelvos(serials) : -1;
    const std::vector<SkippedPort> skipped = zelvo.SkippedPorts();
    ASSERT_EQ(::tcgetattr(line, &after), 0);
    ::close(line);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(::cfgetispeed(&after), ::cfgetispeed(&before));
    ::kill(holder, SIGKILL);
    ASSERT_EQ(::waitpid(holder, nullptr, 0), holder);
    ASSERT_TRUE(told) << "the holder could not open " << served[0].path;
    EXPECT_EQ(whileHeld, 1);
    const std::string reason =
        std::string(kPortInUse) + " (zelvo-holder, PID " + std::to_string(holder) + ")";
    EXPECT_EQ(skipped, (std::vector<SkippedPort>{{served[0].path, "ZS0001", reason}}));
    EXPECT_EQ(zelvo.FindZelvos(serials), 2);
}

}  // namespace
}  // namespace zelvo::testing
