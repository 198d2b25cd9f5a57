// zelvomon: the operator's deposition monitor window.
//
//   zelvomon [--app-dir DIR] [--bridge PATH | --simulate]

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "AboutRules.hpp"
#include "AppInfo.hpp"
#include "FileUtil.hpp"
#include "ProgramOptions.hpp"
#include "QtDesktop.hpp"
#include "QtFileChooser.hpp"
#include "SimLibrary.hpp"
#include "StartupProbe.hpp"
#include "ZelvoSensors.hpp"
#include "frmMain.hpp"
#include "modUSB.hpp"

namespace {

using namespace zelvo;

// The bridge library: the simulator beside the program for --simulate, else
// --bridge PATH, ZELVO_BRIDGE or libvdlink.so. Empty when the simulator is missing.
std::string BridgeLibrary(const gui::ProgramOptions& options,
                          const std::vector<std::string>& args) {
    if (!options.simulate) return BridgeLibraryFromArguments(args);
    std::string program;
    std::string library;
    std::optional<ZelvoError> failure = ProgramFile(program);
    if (!failure) {
        failure = FindSimLibrary(
            GetPathPart(program),
            [](const std::string& path) {
                std::error_code error;
                return std::filesystem::exists(path, error);
            },
            library);
    }
    if (failure) std::cerr << "zelvomon: " << failure->Description() << "\n";
    return library;
}

bool EnterAppFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || ::chdir(folder.c_str()) != 0) {
        std::cerr << "zelvomon: application folder " << folder << ": "
                  << (error ? error.message() : std::strerror(errno)) << "\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string problem;
    const std::optional<gui::ProgramOptions> options = gui::ParseProgramOptions(args, problem);
    if (!options) {
        std::cerr << "zelvomon: " << problem << "\n" << gui::kUsage;
        return 2;
    }
    if (options->help) {
        std::cout << gui::kUsage;
        return 0;
    }
    const std::string bridge = BridgeLibrary(*options, args);
    if (bridge.empty() || !EnterAppFolder(options->appDir)) return 2;

    QApplication application(argc, argv);
    AppInfo app;
    app.folder = std::filesystem::absolute(options->appDir).lexically_normal().string();
    if (app.folder.size() > 1 && app.folder.back() == '/') app.folder.pop_back();
    SetAppInfo(app);
    SetBridgeLibraryName(bridge);
    QtDesktop desktop;
    SetDesktop(&desktop);

    int result = 1;
    {
        ZelvoSensors sensors;
        qt::frmMain window(sensors);
        qt::QtFileChooser chooser(&window);
        SetFileChooser(&chooser);
        if (window.Load()) {
            gui::WatchStartup(window);
            result = application.exec();
        }
        SetFileChooser(nullptr);
    }
    SetDesktop(nullptr);
    return result;
}
