// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zelvomon-cli: loads the current setup file, discovers the sensors, runs one
// measurement until SIGINT, SIGTERM or SIGHUP (or for a given time) writing one
// record per sweep to standard output, stops the run as the Stop button does and
// shuts down (settings written). Messages go to standard error; questions are
// answered Yes, but an assignment whose sensor is missing is kept (unless
// --reassign). --list lists the sensors and --materials the material library
// instead; --material N=NAME chooses channel N's material before the run.

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "AppInfo.hpp"
#include "ConsoleDesktop.hpp"
#include "ConsoleList.hpp"
#include "ConsoleMaterials.hpp"
#include "ConsoleOptions.hpp"
#include "ConsolePorts.hpp"
#include "ConsoleRecords.hpp"
#include "ConsoleSupervision.hpp"
#include "ConsoleViews.hpp"
#include "FolderTree.hpp"
#include "RunClock.hpp"
#include "RunControl.hpp"
#include "SetupFile.hpp"
#include "SimLibrary.hpp"
#include "StartUp.hpp"
#include "Sweep.hpp"
#include "SweepClock.hpp"
#include "SweepPublishing.hpp"
#include "modUSB.hpp"

namespace {

using namespace zelvo;

// Set by SIGINT, SIGTERM or SIGHUP (a closed terminal or a service manager's
// stop). Later signals only set it again: the shutdown that
// the first one began (stop line, settings written) always finishes.
volatile std::sig_atomic_t gStopSignal = 0;

extern "C" void OnStopSignal(int signal) {
    gStopSignal = signal;
}

bool InstallSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    // A closed standard output (a reader such as head that has seen enough) ends
    // the run in order instead of killing the program before the settings are written.
    return sigaction(SIGINT, &action, nullptr) == 0 && sigaction(SIGTERM, &action, nullptr) == 0 &&
           sigaction(SIGHUP, &action, nullptr) == 0 && sigaction(SIGPIPE, &ignore, nullptr) == 0;
}

// The sweeps of the run, each written out and published, until a signal, a
// closed output or the end of the given time.
struct ConsoleParts {
    ConsoleDesktop& desktop;
    ManualTimer& tmrRun;
    ManualTimer& tmrDate;
    const cli::ConsoleReadings& readings;
};

// Publishing as the setup file says; its failures and its link on standard error.
void StartPublishing(SweepPublishing& publishing, const MainState& state) {
    if (auto failure = publishing.Apply(state, GetSetupFile())) {
        std::cerr << "zelvomon-cli: MQTT publishing is off: " << failure->Description() << "\n";
    } else if (publishing.Active()) {
        std::cerr << "MQTT: publishing to " << publishing.Target() << "\n";
    }
}

// Runs the sweeps; false when the records could not be written (a reader that went
// away is no failure: it has seen enough).
bool Measure(MainContext& ctx, const ConsoleParts& parts, const cli::ConsoleOptions& options,
             SweepPublishing& publishing) {
    cli::RecordOutput output(options.format, std::cout);
    StartPublishing(publishing, ctx.state);
    const uint32_t begin = parts.desktop.Milliseconds();
    auto elapsedMs = [&] { return static_cast<double>(parts.desktop.Milliseconds() - begin); };
    cli::SweepClock clock(begin, parts.tmrRun.Interval());
    while (gStopSignal == 0 && (!options.seconds || elapsedMs() < *options.seconds * 1000)) {
        parts.desktop.Sleep(clock.WaitMs(parts.desktop.Milliseconds()));
        if (gStopSignal != 0) break;
        clock.Advance(parts.desktop.Milliseconds(), parts.tmrRun.Interval());
        parts.tmrRun.Fire();
        parts.tmrDate.Fire();
        const SweepRecord record = MakeSweepRecord(
            ctx.state, [&](int row) { return parts.readings.Cell(row, kColumnFrequency); },
            RunClockSeconds(ctx.state), std::chrono::system_clock::now());
        cli::WriteEventLines(record, std::cerr);
        publishing.Publish(record);
        if (auto change = publishing.LinkChange()) std::cerr << "MQTT: " << *change << "\n";
        if (!output.Write(record)) {
            if (output.Error() == EPIPE) {
                std::cerr << "zelvomon-cli: standard output is closed; stopping the run\n";
                return true;
            }
            std::cerr << "zelvomon-cli: standard output cannot be written ("
                      << std::strerror(output.Error()) << "); stopping the run\n";
            return false;
        }
    }
    if (gStopSignal != 0) std::cerr << "zelvomon-cli: stopping on signal " << gStopSignal << "\n";
    return true;
}

// What the command line sets before the run.
struct RunChoices {
    std::map<int, Material> materials;
    std::vector<cli::SupervisionChoice> supervision;
};

int RunMonitor(const cli::ConsoleOptions& options, const RunChoices& choices,
               ConsoleDesktop& desktop) {
    cli::ConsoleMonitor monitor;
    MainContext& ctx = monitor.ctx;
    monitor.state.Unattended = !options.reassign;

    if (!Form_Load(ctx)) return 1;
    cli::ConsolePorts ports(ctx);
    monitor.tmrDate.Fire();  // the deferred start-up: discovery
    // The materials chosen on the command line, as a choice in the parameter grid.
    cli::ApplySupervisionChoices(monitor.state, choices.supervision);
    if (ports.AllowRun(std::cerr) && cli::ApplyMaterialChoices(ctx, choices.materials, std::cerr))
        cmdFSwitch_Click(ctx, 0);
    const bool started = monitor.state.RunMode == kRunning;
    SweepPublishing publishing;
    bool written = true;
    if (!started) {
        std::cerr << "zelvomon-cli: the run did not start\n";
    } else {
        written =
            Measure(ctx, ConsoleParts{desktop, monitor.tmrRun, monitor.tmrDate, monitor.readings},
                    options, publishing);
        cmdFSwitch_Click(ctx, 0);  // Stop, as the button: the data log gets its stop line
        publishing.RunStopped();
    }
    const bool saved = Form_Unload(ctx);
    // The broker's turn comes after the stop line and the settings.
    if (publishing.Active()) std::cerr << "MQTT: " << publishing.Finish() << "\n";
    if (!saved) {
        std::cerr << "zelvomon-cli: the settings were not saved\n";
        return 1;
    }
    return started && written ? 0 : 1;
}

// --list: nothing of the application folder is made or written; a folder that does
// not exist yet simply assigns no channel.
int ListRun(const cli::ConsoleOptions& options, const std::string& bridge) {
    if (::chdir(options.appDir.c_str()) != 0 && errno != ENOENT) {
        std::cerr << "zelvomon-cli: application folder " << options.appDir << ": "
                  << std::strerror(errno) << "\n";
        return 2;
    }
    AppInfo app;
    app.folder = options.appDir;
    SetAppInfo(app);
    SetBridgeLibraryName(bridge);
    ConsoleDesktop desktop(false);
    SetDesktop(&desktop);
    const int status = cli::ListSensors(std::cout, std::cerr);
    SetDesktop(nullptr);
    return status;
}

int Run(const cli::ConsoleOptions& options, const std::vector<std::string>& args) {
    std::string bridge;
    if (const auto failure = ChooseBridgeLibrary(args, bridge)) {
        std::cerr << "zelvomon-cli: " << failure->Description() << "\n";
        return 2;
    }
    if (options.listSensors) return ListRun(options, bridge);
    if (auto failure = CreateFolderTree(options.appDir)) {
        std::cerr << "zelvomon-cli: application folder: " << failure->Description() << "\n";
        return 2;
    }
    if (::chdir(options.appDir.c_str()) != 0) {
        std::cerr << "zelvomon-cli: application folder " << options.appDir << ": "
                  << std::strerror(errno) << "\n";
        return 2;
    }
    if (!InstallSignalHandlers()) {
        std::cerr << "zelvomon-cli: signal handlers: " << std::strerror(errno) << "\n";
        return 2;
    }
    AppInfo app;
    app.folder = options.appDir;
    SetAppInfo(app);
    SetBridgeLibraryName(bridge);
    MaterialLibrary library;
    RunChoices choices;
    if (!options.materials.empty()) {
        if (!cli::LoadMaterials(options.appDir, library, std::cerr)) return 2;
        if (auto refused =
                cli::ReadMaterialChoices(options.materials, library, choices.materials)) {
            std::cerr << "zelvomon-cli: " << *refused << "\n";
            return 2;
        }
    }
    if (auto refused = cli::ReadSupervisionChoices(options.supervision, choices.supervision)) {
        std::cerr << "zelvomon-cli: " << *refused << "\n";
        return 2;
    }

    ConsoleDesktop desktop(true);
    SetDesktop(&desktop);
    const int status = RunMonitor(options, choices, desktop);
    SetDesktop(nullptr);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << cli::kUsage;
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "zelvomon-cli (Zelvo) " << ZELVO_VERSION << "\n";
        return 0;
    }
    cli::ConsoleOptions options;
    if (!cli::ParseConsoleOptions(args, options)) return 2;
    if (options.listMaterials) {
        MaterialLibrary library;
        const bool read = cli::LoadMaterials(options.appDir, library, std::cerr);
        cli::ListMaterials(library, std::cout);
        return read ? 0 : 1;
    }
    return Run(options, args);
}
