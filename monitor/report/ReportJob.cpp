// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportJob.hpp"

#include <filesystem>

#include "SetupFile.hpp"
#include "TextFile.hpp"
#include "ZelvoError.hpp"

namespace zelvo::report {

PreparedReport PrepareReport(const ReportInput& input) {
    const DataLogContents log = ReadDataLogFile(input.logPath);
    const SetupInfo setup = input.setupPath.empty() ? SetupInfo{} : ReadSetupInfo(input.setupPath);
    const std::string name = std::filesystem::path(input.logPath).filename().string();
    PreparedReport prepared;
    for (const LogNotice& notice : log.notices) {
        prepared.notices.push_back(name + ", line " + std::to_string(notice.line) + ": " +
                                   notice.text);
    }
    if (log.runs.empty()) {
        throw ZelvoError(err::TypeMismatch,
                         input.logPath + ": no run in the file (no \"Start Log\" line)");
    }
    for (const LoggedRun& run : log.runs) {
        if (input.run && run.number != *input.run) continue;
        if (input.lastRunOnly && &run != &log.runs.back()) continue;
        prepared.reports.push_back(MakeRunReport(run, setup, name));
    }
    if (prepared.reports.empty()) {
        throw ZelvoError(err::SubscriptOutOfRange,
                         input.logPath + ": no run " + std::to_string(input.run.value_or(0)));
    }
    return prepared;
}

std::string ReportPathFor(const std::string& logPath) {
    return std::filesystem::path(logPath).replace_extension(".pdf").string();
}

std::string SetupBeside(const std::string& logPath) {
    const std::filesystem::path beside =
        std::filesystem::path(logPath).parent_path() / kDefaultSetupFile;
    return FileExists(beside.string()) ? beside.string() : std::string();
}

}  // namespace zelvo::report
