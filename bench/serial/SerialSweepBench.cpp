// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A sweep of eight channels over pseudo-terminals served by zelvosim, with the
// bytes timed as on the wire at 115200 baud, through libvdlink.so and the
// monitor's sensor manager.
//   wire_ratio: the sweep's wall time over the time its bytes need on the wire
//               (17 bytes an exchange, 10 bits a byte); the goal is at most 1.2.
//   cpu_share:  the monitor's processor time over the sweep's wall time; well
//               under 1 when the wait for replies does not spin.
// BM_OpenAndClose: VD_Open of one of zelvosim's ports, with the library's look
// through /proc for other programs that hold it, and VD_Close.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "ConsoleDesktop.hpp"
#include "ZelvosimProcess.hpp"
#include "cErrHandler.hpp"
#include "cZelvo.hpp"
#include "modUSB.hpp"

namespace {

using zelvo::testing::ZelvosimProcess;

constexpr int kChannels = 8;
constexpr double kBytesPerExchange = 17.0;
constexpr double kBitsPerByte = 10.0;
constexpr double kLineRate = 115200.0;

double ProcessCpuSeconds() {
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) throw std::runtime_error("getrusage failed");
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_SerialSweep(benchmark::State& state) {
    zelvo::ErrHandler().Destination(
        (std::filesystem::temp_directory_path() / "zelvo-serial-bench-errors.txt").string());
    ZelvosimProcess sim("devices=8;rate=2;noise=0.5;seed=3");
    zelvo::testing::PortsEnvironment ports(sim.Ports());
    zelvo::ConsoleDesktop desktop(true);
    zelvo::SetDesktop(&desktop);
    zelvo::VdBridge bridge(ZelvosimProcess::LibraryPath());
    zelvo::cZelvo zelvo(bridge);
    zelvo::DiscoveryList serials;
    if (zelvo.FindZelvos(serials) != kChannels) throw std::runtime_error("zelvosim not found");
    zelvo::ReadingResult result{};
    double wall = 0.0, cpu = 0.0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ProcessCpuSeconds();
        for (int ch = 0; ch < kChannels; ++ch) {
            const int32_t status = zelvo.GetReading(serials[static_cast<size_t>(ch)], result);
            if (status != 0) throw std::runtime_error("reading failed: " + std::to_string(status));
            benchmark::DoNotOptimize(result);
        }
        cpu += ProcessCpuSeconds() - cpuStart;
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double wire = kChannels * kBytesPerExchange * kBitsPerByte / kLineRate;
    const double sweeps = static_cast<double>(state.iterations());
    state.counters["wire_ms"] = wire * 1e3;
    state.counters["wire_ratio"] = wall / sweeps / wire;
    state.counters["cpu_share"] = cpu / wall;
    zelvo::SetDesktop(nullptr);
    if (sim.Stop() != 0) throw std::runtime_error("zelvosim did not stop cleanly");
}
BENCHMARK(BM_SerialSweep)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_OpenAndClose(benchmark::State& state) {
    ZelvosimProcess sim("devices=1");
    zelvo::testing::PortsEnvironment ports(sim.Ports());
    zelvo::VdBridge bridge(ZelvosimProcess::LibraryPath());
    int32_t count = 0, handle = 0;
    if (bridge.VD_GetNumDevices(count) != VD_OK || count != 1) {
        state.SkipWithError("zelvosim's port not enumerated");
        return;
    }
    for (auto _ : state) {
        if (bridge.VD_Open(0, handle) != VD_OK) {
            state.SkipWithError("the port could not be opened");
            return;
        }
        bridge.VD_Close(handle);
    }
    state.counters["processes"] = static_cast<double>(std::count_if(
        std::filesystem::directory_iterator("/proc"), std::filesystem::directory_iterator(),
        [](const auto& entry) { return std::isdigit(entry.path().filename().string()[0]) != 0; }));
}
BENCHMARK(BM_OpenAndClose)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
