// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a complete VCP package with the installer program (goal: under 50 ms):
// two INF files, setup.ini, eight driver files and the installer, from the
// compiled-in data files, into a folder under the system's temporary folder.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "CWizardData.hpp"
#include "DataFiles.hpp"
#include "FakeDesktop.hpp"
#include "ResourceDataFiles.hpp"

namespace {

// fresh: every run writes into an empty folder; otherwise every run replaces the
// files of the run before (Finish pressed again).
void GenerateVcpPackage(benchmark::State& state, bool fresh) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kitforge-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    zelvo::testing::FakeDesktop desktop;  // records the closing message instead of showing it
    kitforge::ResourceDataFiles resources;
    kitforge::SetDataFiles(&resources);

    kitforge::CWizardData data;
    data.m_bGenerateInstaller = 1;
    data.LoadDefaults(kitforge::INSTALL_VCP);
    data.m_strGenerationDir = folder.string() + "/";

    for (auto _ : state) {
        if (fresh) {
            state.PauseTiming();
            std::filesystem::remove_all(folder);
            std::filesystem::create_directories(folder);
            state.ResumeTiming();
        }
        bool ok = kitforge::GeneratePackage(data);
        if (!ok) {
            state.SkipWithError("package generation failed");
            break;
        }
        desktop.ClearMessages();
    }
    kitforge::SetDataFiles(nullptr);
    std::filesystem::remove_all(folder);
}

}  // namespace

void BM_VcpPackageIntoEmptyFolder(benchmark::State& state) {
    GenerateVcpPackage(state, true);
}
void BM_VcpPackageReplacingFiles(benchmark::State& state) {
    GenerateVcpPackage(state, false);
}

BENCHMARK(BM_VcpPackageIntoEmptyFolder)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_VcpPackageReplacingFiles)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
