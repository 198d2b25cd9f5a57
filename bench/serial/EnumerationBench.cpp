// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Enumeration with 32 ports, as a monitor repeats it every 2 s while a sensor is
// gone: 24 USB-serial adapters mocked for udev among 64 terminals that are not on
// USB, and 8 ports of zelvosim named by ZELVO_PORTS. Runs under umockdev-wrapper.
//   BM_Enumerate32: one VD_GetNumDevices; the goal is well under 5 ms.

#include <benchmark/benchmark.h>
#include <umockdev.h>

#include <stdexcept>
#include <string>

#include "ZelvosimProcess.hpp"
#include "modUSB.hpp"

namespace {

using zelvo::testing::ZelvosimProcess;

constexpr int kUsbPorts = 24;
constexpr int kOtherTerminals = 64;
constexpr int kListedPorts = 8;

// The mocked devices, the served terminals and the library, for the whole run.
struct Bus {
    Bus() {
        for (int i = 0; i < kUsbPorts; ++i) AddUsbSerial(i);
        for (int i = 0; i < kOtherTerminals; ++i) AddTty("tty" + std::to_string(i), nullptr);
    }
    ~Bus() { g_object_unref(testbed); }
    void AddUsbSerial(int i) {
        const std::string busPath = "1-" + std::to_string(i + 1);
        const std::string serial = "ZS" + std::to_string(9000 + i);
        gchar* usb = umockdev_testbed_add_device(
            testbed, "usb", busPath.c_str(), nullptr, "idVendor", "1d50", "idProduct", "5c3e",
            "serial", serial.c_str(), nullptr, "DEVTYPE", "usb_device", nullptr);
        const std::string interfaceName = busPath + ":1.0";
        gchar* interface = umockdev_testbed_add_device(testbed, "usb", interfaceName.c_str(), usb,
                                                       "bInterfaceNumber", "00", nullptr, "DEVTYPE",
                                                       "usb_interface", nullptr);
        if (usb == nullptr || interface == nullptr) throw std::runtime_error("umockdev refused");
        AddTty("ttyUSB" + std::to_string(i), interface);
        g_free(interface);
        g_free(usb);
    }
    void AddTty(const std::string& name, const gchar* parent) {
        const std::string node = "/dev/" + name;
        gchar* tty = umockdev_testbed_add_device(testbed, "tty", name.c_str(), parent, nullptr,
                                                 "DEVNAME", node.c_str(), nullptr);
        if (tty == nullptr) throw std::runtime_error("umockdev refused " + name);
        g_free(tty);
    }

    UMockdevTestbed* testbed = umockdev_testbed_new();
    ZelvosimProcess sim{"devices=" + std::to_string(kListedPorts)};
    zelvo::testing::PortsEnvironment ports{sim.Ports()};
    zelvo::VdBridge bridge{ZelvosimProcess::LibraryPath()};
};

Bus& TheBus() {
    static Bus bus;
    // Known only once a testbed exists.
    if (!umockdev_in_mock_environment()) throw std::runtime_error("run under umockdev-wrapper");
    return bus;
}

void BM_Enumerate32(benchmark::State& state) {
    Bus& bus = TheBus();
    int32_t count = 0;
    for (auto _ : state) {
        if (bus.bridge.VD_GetNumDevices(count) != VD_OK) {
            state.SkipWithError("the enumeration failed");
            return;
        }
        benchmark::DoNotOptimize(count);
    }
    if (count != kUsbPorts + kListedPorts) {
        state.SkipWithError(("enumerated " + std::to_string(count) + " ports").c_str());
    }
    state.counters["ports"] = count;
}
BENCHMARK(BM_Enumerate32)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
