// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zelvomon-report: the report of the runs of a data log as a PDF, an HTML page or
// PNG pictures. Runs without a display: the offscreen platform is taken when none is set.

#include <QGuiApplication>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "ReportOptions.hpp"
#include "ReportOutput.hpp"

namespace {

using namespace zelvo;

void ChoosePlatform() {
    const bool display =
        std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
    if (!display && std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

int Run(const report::ReportOptions& options) {
    report::ReportInput input{options.log, options.setup, options.run, false};
    if (input.setupPath.empty()) input.setupPath = report::SetupBeside(options.log);
    try {
        const report::PreparedReport prepared = report::PrepareReport(input);
        for (const std::string& notice : prepared.notices) std::cerr << notice << "\n";
        std::vector<std::string> written;
        if (auto failure = report::qt::WriteReport(prepared, options.out, written)) {
            std::cerr << "zelvomon-report: " << failure->Description() << "\n";
            return 1;
        }
        for (const std::string& file : written) std::cout << file << "\n";
    } catch (const ZelvoError& e) {
        std::cerr << "zelvomon-report: " << e.Description() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    report::ReportOptions options;
    switch (report::ParseReportOptions(args, options, std::cout, std::cerr)) {
        case report::OptionsResult::Done:
            return 0;
        case report::OptionsResult::UsageError:
            return 2;
        case report::OptionsResult::Run:
            break;
    }
    ChoosePlatform();
    QGuiApplication app(argc, argv);
    return Run(options);
}
