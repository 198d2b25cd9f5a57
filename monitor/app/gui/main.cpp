// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zelvomon: the operator's deposition monitor window.
//
//   zelvomon [--app-dir DIR] [--bridge PATH | --simulate]
//   zelvomon --help | --version

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "AppInfo.hpp"
#include "MonitorIcon.hpp"
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
    if (options->version) {
        std::cout << "zelvomon (Zelvo) " << ZELVO_VERSION << "\n";
        return 0;
    }
    std::string bridge;
    if (const auto failure = ChooseBridgeLibrary(args, bridge)) {
        std::cerr << "zelvomon: " << failure->Description() << "\n";
        return 2;
    }
    // Absolute before the program changes into it, so that a relative folder
    // still names the same place afterwards.
    AppInfo app;
    std::error_code error;
    app.folder = std::filesystem::absolute(options->appDir, error).lexically_normal().string();
    if (error) {
        std::cerr << "zelvomon: application folder " << options->appDir << ": " << error.message()
                  << "\n";
        return 2;
    }
    if (app.folder.size() > 1 && app.folder.back() == '/') app.folder.pop_back();
    if (!EnterAppFolder(app.folder)) return 2;

    QApplication application(argc, argv);
    // Task bars and docks match the window to its menu entry by the desktop file.
    QGuiApplication::setDesktopFileName(QStringLiteral("zelvomon"));
    QApplication::setWindowIcon(qt::MonitorIcon());
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
