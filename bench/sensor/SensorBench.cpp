// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One reading against the simulated sensors loaded in-process.
//   BM_GetReading:        the whole GetReading (the monitor's work and the simulator's)
//   BM_SimulatorExchange: the same bridge calls made directly (the simulator's share)
//   BM_GetReadingSupervised: GetReading, then the reading judged by a supervisor with
//                        every check on, as the sweep does
// The monitor's own work per reading is the difference of the first two medians; the
// third less the first is the cost of supervision.

#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "SimControl.hpp"
#include "Supervision.hpp"
#include "VdLink.h"
#include "cErrHandler.hpp"
#include "cZelvo.hpp"
#include "modUSB.hpp"

namespace {

using zelvo::testing::SimControl;

void Prepare(SimControl& sim) {
    zelvo::ErrHandler().Destination(
        (std::filesystem::temp_directory_path() / "zelvo-bench-errors.txt").string());
    sim.Configure("devices=1;rate=2;noise=0.5;seed=3");
}

// One simulated sensor, found and opened through the simulated bridge library.
struct OneSensor {
    OneSensor() {
        zelvo::DiscoveryList serials;
        if (zelvo.FindZelvos(serials) != 1) throw std::runtime_error("simulator not found");
    }
    SimControl sim;
    bool configured = (Prepare(sim), true);  // before the bridge library loads
    zelvo::VdBridge bridge{SimControl::LibraryPath()};
    zelvo::cZelvo zelvo{bridge};
};

void BM_GetReading(benchmark::State& state) {
    OneSensor one;
    zelvo::cZelvo& zelvo = one.zelvo;
    zelvo::ReadingResult result{};
    for (auto _ : state) {
        int32_t status = zelvo.GetReading("ZS0001", result);
        if (status != 0) throw std::runtime_error("reading failed: " + std::to_string(status));
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_GetReading)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void BM_GetReadingSupervised(benchmark::State& state) {
    OneSensor one;
    zelvo::cZelvo& zelvo = one.zelvo;
    zelvo::ReadingResult result{};
    // Every check on, none ever reached: each reading goes through all of them.
    const zelvo::SupervisionSettings settings{
        .target = 9999, .margin = 1, .lifeWarning = 1, .quality = 5, .stabilityAlarm = 1e6};
    zelvo::Supervisor supervisor;
    for (auto _ : state) {
        int32_t status = zelvo.GetReading("ZS0001", result);
        if (status != 0) throw std::runtime_error("reading failed: " + std::to_string(status));
        supervisor.BeginSweep();
        const zelvo::SupervisionReading reading{
            .thickness = std::round(result[zelvo::kResultThickness] * 1000) / 1000,
            .rate = result[zelvo::kResultRate],
            .frequency = result[zelvo::kResultFrequency],
            .life = result[zelvo::kResultLife]};
        supervisor.Judge(settings, reading, true, true);
        benchmark::DoNotOptimize(supervisor);
    }
}
BENCHMARK(BM_GetReadingSupervised)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

template <class Fn>
Fn Entry(void* library, const char* name) {
    void* symbol = dlsym(library, name);
    if (symbol == nullptr) throw std::runtime_error(std::string("missing ") + name);
    return reinterpret_cast<Fn>(symbol);
}

void BM_SimulatorExchange(benchmark::State& state) {
    SimControl sim;
    Prepare(sim);
    void* library = dlopen(SimControl::LibraryPath().c_str(), RTLD_NOW);
    if (library == nullptr) throw std::runtime_error("simulator not loadable");
    auto open = Entry<decltype(&VD_Open)>(library, "VD_Open");
    auto flush = Entry<decltype(&VD_FlushBuffers)>(library, "VD_FlushBuffers");
    auto write = Entry<decltype(&VD_Write)>(library, "VD_Write");
    auto read = Entry<decltype(&VD_Read)>(library, "VD_Read");
    auto close = Entry<decltype(&VD_Close)>(library, "VD_Close");
    int32_t handle = 0;
    if (open(0, &handle) != 0) throw std::runtime_error("open failed");
    char buffer[252];
    for (auto _ : state) {
        int32_t n = 0;
        if (flush(handle, 1, 1) != 0 || write(handle, "!A1\r\n", 5, &n, nullptr) != 0 ||
            read(handle, buffer, 252, &n, nullptr) != 0 || n == 0) {
            throw std::runtime_error("exchange failed");
        }
        benchmark::DoNotOptimize(buffer);
    }
    if (close(handle) != 0 || dlclose(library) != 0) throw std::runtime_error("close failed");
}
BENCHMARK(BM_SimulatorExchange)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
