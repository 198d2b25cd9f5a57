// zelvomon-cli: loads the current setup file, discovers the sensors, runs one
// measurement for a given time printing one line per sweep, stops and shuts down
// (settings written). Messages go to standard error; questions are answered Yes.
// --materials lists the material library instead; --material N=NAME chooses
// channel N's material before the run.
//
//   zelvomon-cli [--app-dir DIR] [--bridge PATH | --simulate] [--seconds N]
//                [--material N=NAME]... | --materials
//   zelvomon-cli --help | --version

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "AppInfo.hpp"
#include "ConsoleDesktop.hpp"
#include "ConsoleMaterials.hpp"
#include "ConsoleViews.hpp"
#include "DataLog.hpp"
#include "FolderTree.hpp"
#include "Format.hpp"
#include "Numbers.hpp"
#include "RunControl.hpp"
#include "SimLibrary.hpp"
#include "StartUp.hpp"
#include "Sweep.hpp"
#include "ZelvoSensors.hpp"
#include "modUSB.hpp"

namespace {

using namespace zelvo;

struct Options {
    std::string appDir;
    double seconds = 5;
    bool listMaterials = false;
    std::vector<std::string> materials;  // the texts of --material, "N=NAME"
};

// The value of "--name VALUE" or "--name=VALUE", if given.
std::optional<std::string> OptionValue(const std::vector<std::string>& args,
                                       const std::string& name) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name && i + 1 < args.size()) return args[i + 1];
        if (args[i].rfind(name + "=", 0) == 0) return args[i].substr(name.size() + 1);
    }
    return std::nullopt;
}

// The values of every "--name VALUE" or "--name=VALUE", in order.
std::vector<std::string> OptionValues(const std::vector<std::string>& args,
                                      const std::string& name) {
    std::vector<std::string> values;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name && i + 1 < args.size()) values.push_back(args[++i]);
        if (args[i].rfind(name + "=", 0) == 0) values.push_back(args[i].substr(name.size() + 1));
    }
    return values;
}

std::string DefaultAppDir() {
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : ".") + "/.local/share/zelvomon";
}

constexpr const char* kUsage =
    "Usage: zelvomon-cli [--app-dir DIR] [--bridge PATH | --simulate] [--seconds N]\n"
    "                    [--material N=NAME]...\n"
    "       zelvomon-cli [--app-dir DIR] --materials\n"
    "Runs the monitor without a window: reads the current setup file of the application\n"
    "folder, discovers the sensors, runs one measurement for N seconds (default 5)\n"
    "printing one line per sweep, then stops and writes the settings back.\n"
    "  --app-dir DIR   application folder (default $ZELVO_APP_DIR or ~/.local/share/zelvomon)\n"
    "  --bridge PATH   bridge library (default $ZELVO_BRIDGE or libvdlink.so)\n"
    "  --simulate      simulated sensors: the libvdlink-sim.so built and installed with the\n"
    "                  programs, configured by ZELVO_SIM\n"
    "  --seconds N     length of the run, 0 to 86400\n"
    "  --material N=NAME  channel N (1 to 8) takes material NAME's density and Z factor\n"
    "                  (and its name while the channel's name is the default), as a\n"
    "                  choice in the window's parameter grid does; kept in the setup file\n"
    "  --materials     lists the materials (name, formula, density, Z factor): the\n"
    "                  carried ones and those of materials.txt in the application folder\n"
    "  --help          this text\n"
    "  --version       the program's name and version\n"
    "Exit status: 0 after the run with the settings written back; 1 when the run did\n"
    "not start or the settings could not be written; 2 for a bad option or an\n"
    "application folder that cannot be made.\n";

bool ParseOptions(const std::vector<std::string>& args, Options& options) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool takesValue =
            arg == "--app-dir" || arg == "--bridge" || arg == "--seconds" || arg == "--material";
        bool withValue = arg.rfind("--app-dir=", 0) == 0 || arg.rfind("--bridge=", 0) == 0 ||
                         arg.rfind("--seconds=", 0) == 0 || arg.rfind("--material=", 0) == 0;
        if (takesValue && i + 1 < args.size()) {
            ++i;
        } else if (arg != "--simulate" && arg != "--materials" && !withValue) {
            std::cerr << "zelvomon-cli: unknown or incomplete option \"" << arg << "\"\n" << kUsage;
            return false;
        }
    }
    const char* envDir = std::getenv("ZELVO_APP_DIR");
    // Absolute before anything else: the program changes into the folder and then
    // names its files from there.
    std::error_code error;
    options.appDir =
        std::filesystem::absolute(
            OptionValue(args, "--app-dir")
                .value_or(envDir != nullptr && *envDir != '\0' ? envDir : DefaultAppDir()),
            error)
            .lexically_normal()
            .string();
    if (error) {
        std::cerr << "zelvomon-cli: application folder: " << error.message() << "\n";
        return false;
    }
    if (auto text = OptionValue(args, "--seconds")) {
        std::optional<double> seconds = ParseNumber(*text);
        if (!seconds || *seconds < 0 || *seconds > 86400) {
            std::cerr << "zelvomon-cli: --seconds needs a number from 0 to 86400, not \"" << *text
                      << "\"\n";
            return false;
        }
        options.seconds = *seconds;
    }
    options.listMaterials = std::find(args.begin(), args.end(), "--materials") != args.end();
    options.materials = OptionValues(args, "--material");
    return true;
}

// One line per sweep: elapsed time, then per displayed channel its rate,
// thickness, frequency and life cells (a row text where a reading failed).
void PrintSweep(const MainState& state, const cli::ConsoleReadings& grid, double elapsed) {
    std::string line = FormatNumber(elapsed, "0.00") + "s";
    for (int ch = 0; ch <= state.ShowLast && IsChannel(ch); ++ch) {
        line += " | " + state.ChannelName[static_cast<size_t>(ch)] +
                ": rate=" + grid.Cell(ch, kColumnRate) +
                " thick=" + grid.Cell(ch, kColumnThickness) +
                " freq=" + grid.Cell(ch, kColumnFrequency) + " life=" + grid.Cell(ch, kColumnLife);
    }
    std::cout << line << std::endl;
}

// Discovery, the materials chosen on the command line, then one run of the given
// length; false when the run did not start.
bool Measure(MainContext& ctx, ManualTimer& tmrRun, ManualTimer& tmrDate,
             const std::map<int, Material>& materials, const cli::ConsoleReadings& readings,
             double seconds) {
    tmrDate.Fire();  // the deferred start-up: discovery
    if (!cli::ApplyMaterialChoices(ctx, materials, std::cerr)) return false;
    cmdFSwitch_Click(ctx, 0);
    if (ctx.state.RunMode != kRunning) return false;
    const int interval = tmrRun.Interval();
    const uint32_t begin = Desktop().Milliseconds();
    while (Desktop().Milliseconds() - begin < seconds * 1000) {
        Desktop().Sleep(interval);
        tmrRun.Fire();
        tmrDate.Fire();
        PrintSweep(ctx.state, readings, (Desktop().Milliseconds() - begin) / 1000.0);
    }
    cmdFSwitch_Click(ctx, 0);
    return true;
}

int Run(const Options& options, const std::vector<std::string>& args) {
    std::string bridge;
    if (const auto failure = ChooseBridgeLibrary(args, bridge)) {
        std::cerr << "zelvomon-cli: " << failure->Description() << "\n";
        return 2;
    }
    if (auto failure = CreateFolderTree(options.appDir)) {
        std::cerr << "zelvomon-cli: application folder: " << failure->Description() << "\n";
        return 2;
    }
    if (::chdir(options.appDir.c_str()) != 0) {
        std::cerr << "zelvomon-cli: application folder " << options.appDir << ": "
                  << std::strerror(errno) << "\n";
        return 2;
    }
    AppInfo app;
    app.folder = options.appDir;
    SetAppInfo(app);
    SetBridgeLibraryName(bridge);
    MaterialLibrary library;
    std::map<int, Material> materials;
    if (!options.materials.empty()) {
        if (!cli::LoadMaterials(options.appDir, library, std::cerr)) return 2;
        if (auto refused = cli::ReadMaterialChoices(options.materials, library, materials)) {
            std::cerr << "zelvomon-cli: " << *refused << "\n";
            return 2;
        }
    }

    ConsoleDesktop desktop(true);
    SetDesktop(&desktop);
    MainState state;
    ZelvoSensors sensors;
    cli::ConsoleWindow window;
    cli::ConsoleReadings readings;
    cli::ConsoleAssignment assignment;
    cli::ConsoleRunBar runBar;
    cli::ConsoleChart chart;
    DataLog dataLog(state);
    ManualTimer tmrRun;
    ManualTimer tmrDate;
    MainContext ctx{state, sensors, MainViews{window, readings, assignment, runBar, chart, dataLog},
                    tmrRun, tmrDate};

    if (!Form_Load(ctx)) return 1;
    const bool started = Measure(ctx, tmrRun, tmrDate, materials, readings, options.seconds);
    if (!started) std::cerr << "zelvomon-cli: the run did not start\n";
    const bool saved = Form_Unload(ctx);
    SetDesktop(nullptr);
    if (!saved) {
        std::cerr << "zelvomon-cli: the settings were not saved\n";
        return 1;
    }
    return started ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "zelvomon-cli (Zelvo) " << ZELVO_VERSION << "\n";
        return 0;
    }
    Options options;
    if (!ParseOptions(args, options)) return 2;
    if (options.listMaterials) {
        MaterialLibrary library;
        const bool read = cli::LoadMaterials(options.appDir, library, std::cerr);
        cli::ListMaterials(library, std::cout);
        return read ? 0 : 1;
    }
    return Run(options, args);
}
