// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Soak: the monitor's sweep and data log on eight simulated sensors for a long
// run on manual clocks (the desktop's and the simulator's move by one sweep
// interval per sweep, so hours of deposition pass in minutes). Prints the resident
// memory at the start, after every block of sweeps and at the end, with the mean
// time per sweep of each block. The log file is emptied after each block so that
// the disk holds one block's lines at most.
//
//   soak_bench [SWEEPS [BLOCK]]     default 1000000 sweeps in blocks of 100000
//
// Goal: the resident memory at the end within 1 MiB of the value after the first
// block, and no growth in the time per sweep.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "AppInfo.hpp"
#include "ConsoleViews.hpp"
#include "FakeDesktop.hpp"
#include "RunControl.hpp"
#include "SimControl.hpp"
#include "StartUp.hpp"
#include "cErrHandler.hpp"
#include "modUSB.hpp"

namespace {

using namespace zelvo;

// Resident set size in KiB, from /proc/self/statm.
long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    if (!(statm >> size >> resident)) throw std::runtime_error("cannot read /proc/self/statm");
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

std::string SetupFile() {
    std::string text =
        "[Application]\r\nIniVer=109\r\nRunNum=1\r\nShowLast=7\r\nPeriod=25\r\n"
        "[DataLog]\r\nLogEnabled=1\r\nLogType=0\r\nLogFile=soak.log\r\n[Zelvo]\r\n";
    for (int i = 1; i <= 8; ++i) {
        const std::string n = std::to_string(i);
        text += "Sensor " + n + "=Sensor " + n + ";1000;1000;10000;ZS000" + n + "\r\n";
    }
    return text;
}

long Argument(int argc, char** argv, int index, long fallback) {
    if (argc <= index) return fallback;
    const long value = std::atol(argv[index]);
    if (value <= 0) throw std::invalid_argument(std::string("not a count: ") + argv[index]);
    return value;
}

// The simulator's control first: the sensors are found through it.
struct Soak {
    testing::FakeDesktop desktop;
    testing::SimControl sim;
    cli::ConsoleMonitor monitor;
};

int RunSoak(long sweeps, long block) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zelvo-soak-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "zelvo.cfg", std::ios::binary) << SetupFile();
    AppInfo app;
    app.folder = folder.string();
    SetAppInfo(app);
    ErrHandler().Destination((folder / "ERRORS.TXT").string());
    if (::chdir(folder.c_str()) != 0) throw std::runtime_error("cannot enter " + folder.string());
    SetBridgeLibraryName(testing::SimControl::LibraryPath());

    Soak soak;
    soak.sim.Configure("devices=8;rate=0.5;noise=0.5;seed=7");
    soak.sim.SetTime(0);
    if (!Form_Load(soak.monitor.ctx)) throw std::runtime_error("start-up failed");
    soak.monitor.tmrDate.Fire();  // the deferred start-up: discovery
    cmdFSwitch_Click(soak.monitor.ctx, 0);
    if (soak.monitor.state.RunMode != kRunning) throw std::runtime_error("the run did not start");
    const int interval = soak.monitor.tmrRun.Interval();

    std::printf("%10s %12s %14s %12s\n", "sweeps", "RSS (KiB)", "us per sweep", "log (bytes)");
    std::printf("%10d %12ld %14s %12s\n", 0, ResidentKiB(), "-", "-");
    long firstBlockKiB = 0;
    for (long done = 0; done < sweeps;) {
        const long count = std::min(block, sweeps - done);
        const auto begin = std::chrono::steady_clock::now();
        for (long i = 0; i < count; ++i) {
            soak.desktop.AdvanceMs(static_cast<uint32_t>(interval));
            soak.sim.AdvanceTime(interval / 1000.0);
            soak.monitor.tmrRun.Fire();
        }
        const std::chrono::duration<double, std::micro> spent =
            std::chrono::steady_clock::now() - begin;
        done += count;
        const auto logBytes = std::filesystem::file_size(folder / "soak.log");
        std::filesystem::resize_file(folder / "soak.log", 0);
        const long rss = ResidentKiB();
        if (firstBlockKiB == 0) firstBlockKiB = rss;
        std::printf("%10ld %12ld %14.2f %12ju\n", done, rss, spent.count() / count,
                    static_cast<uintmax_t>(logBytes));
        std::fflush(stdout);
    }
    cmdFSwitch_Click(soak.monitor.ctx, 0);
    const long endKiB = ResidentKiB();
    std::printf(
        "end: RSS %ld KiB, %+ld KiB since the first block (goal: within 1024); "
        "messages shown: %zu; simulated time %.1f h\n",
        endKiB, endKiB - firstBlockKiB, soak.desktop.Messages().size(),
        sweeps * (interval / 1000.0) / 3600);
    std::filesystem::remove_all(folder);
    return soak.desktop.Messages().empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const long sweeps = Argument(argc, argv, 1, 1000000);
        return RunSoak(sweeps, Argument(argc, argv, 2, 100000));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "soak_bench: %s\n", e.what());
        return 2;
    }
}
