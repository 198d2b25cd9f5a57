// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The report of a 10-hour run logged every 0.1 s on eight channels (360 000
// records, about 80 MB), read and written as a one-page PDF (goal: under 5 s and
// 200 MiB). The log is written once, by the monitor's own record lines, with a
// channel failing for a minute every hour.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "DataLogFormat.hpp"
#include "ReportOutput.hpp"

namespace {

constexpr size_t kRecords = 360000;
constexpr size_t kChannels = 8;

void WriteLog(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << zelvo::LogStartLine(7, "6/12/2026", "8:00:00") << "\r\n"
        << zelvo::LogColumnHeader(0) << "\r\n";
    std::vector<std::optional<zelvo::LogChannelValues>> channels(kChannels);
    for (size_t i = 0; i < kRecords; ++i) {
        const double t = static_cast<double>(i + 1) * 0.1;
        for (size_t c = 0; c < kChannels; ++c) {
            const double rate =
                1 + static_cast<double>(c) + 0.3 * std::sin(t / 60 + static_cast<double>(c));
            const bool failed = c == 3 && std::fmod(t, 3600) < 60;
            channels[c] = failed ? std::nullopt
                                 : std::optional(zelvo::LogChannelValues{rate, rate * t / 1000,
                                                                         6e6 - rate * t / 10});
        }
        out << zelvo::LogRecordLine(std::fmod(t, 86400), channels) << "\r\n";
    }
    out << zelvo::LogStopLine(7, "6/12/2026", "18:00:01") << "\r\n";
}

void TenHourReport(benchmark::State& state) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("report-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string log = (folder / "long.log").string();
    WriteLog(log);
    for (auto _ : state) {
        const zelvo::report::PreparedReport prepared =
            zelvo::report::PrepareReport({log, "", std::nullopt, false});
        std::vector<std::string> written;
        if (auto failure =
                zelvo::report::qt::WriteReport(prepared, (folder / "long.pdf").string(), written)) {
            state.SkipWithError(failure->Description().c_str());
            break;
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024;
    state.counters["log_MB"] = static_cast<double>(std::filesystem::file_size(log)) / 1e6;
    std::filesystem::remove_all(folder);
}
BENCHMARK(TenHourReport)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
