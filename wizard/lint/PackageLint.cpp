// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PackageLint.hpp"

#include <map>

#include "Strings.hpp"

namespace kitforge::lint {
namespace {

bool AtTop(const PackageFile& file) {
    return file.path.find('/') == std::string::npos;
}

// One device: every hardware ID and setup.ini name the same VID and PID. The
// pair named most often (the first of equals) is taken as meant.
void CheckOneDevice(const std::vector<DeviceId>& ids, LintReport& report) {
    if (ids.empty()) return;
    std::map<std::string, int> counts;
    for (const DeviceId& id : ids) ++counts[id.vid + id.pid];
    const DeviceId* meant = &ids.front();
    for (const DeviceId& id : ids) {
        if (counts[id.vid + id.pid] > counts[meant->vid + meant->pid]) meant = &id;
    }
    const DeviceId& first = *meant;
    for (const DeviceId& id : ids) {
        if (id.vid == first.vid && id.pid == first.pid) continue;
        report.Error(id.file, id.vid != first.vid ? id.vidLine : id.pidLine,
                     "VID_" + id.vid + "&PID_" + id.pid + " differs from VID_" + first.vid +
                         "&PID_" + first.pid + " in " + first.file + ":" +
                         std::to_string(first.vidLine) + "; the package installs one device");
    }
}

// The installer program sits beside setup.ini, which holds its settings.
void CheckInstaller(const Package& package, bool setupIni, FileFacts& facts, LintReport& report) {
    std::vector<const PackageFile*> programs;
    for (const PackageFile& file : package.files) {
        if (AtTop(file) && HasExtension(file.path, ".exe")) programs.push_back(&file);
    }
    if (setupIni && programs.empty()) {
        report.Error("setup.ini", 0,
                     "no installer program (.exe) beside setup.ini, whose settings it holds");
    }
    for (const PackageFile* program : programs) {
        facts.referenced.insert(PathKey(program->path));
        if (!setupIni) {
            report.Warning(program->path, 0,
                           "an installer program without setup.ini, whose settings it reads");
        } else if (programs.size() > 1) {
            report.Warning(program->path, 0,
                           "one of " + std::to_string(programs.size()) +
                               " programs beside setup.ini; the package carries one installer");
        }
    }
}

void CheckLeftOver(const Package& package, const FileFacts& facts, LintReport& report) {
    for (std::size_t i = 0; i < package.files.size(); ++i) {
        const PackageFile& file = package.files[i];
        for (std::size_t j = 0; j < i; ++j) {
            if (zelvo::EqualsNoCase(file.path, package.files[j].path)) {
                report.Error(file.path, 0,
                             "differs from " + package.files[j].path +
                                 " only in case; Windows keeps one of them");
            }
        }
        if (!facts.referenced.count(PathKey(file.path))) {
            report.Warning(file.path, 0,
                           "neither an INF file nor setup.ini names this file; it ships unused");
        }
    }
}

}  // namespace

std::string PathKey(std::string_view path) {
    return zelvo::ToLower(path);
}

LintReport LintPackage(const Package& package) {
    LintReport report;
    FileFacts facts;
    const PackageFile* setupIni = package.Find("setup.ini");
    FileFacts setupFacts;
    if (setupIni) {
        facts.referenced.insert(PathKey(setupIni->path));
        CheckSetupIni(*setupIni, package, setupFacts, report);
        facts.referenced.insert(setupFacts.referenced.begin(), setupFacts.referenced.end());
    }
    bool anyInf = false;
    for (const PackageFile& file : package.files) {
        if (!AtTop(file) || !HasExtension(file.path, ".inf")) continue;
        anyInf = true;
        if (!setupIni) {
            facts.referenced.insert(PathKey(file.path));
        } else if (!facts.referenced.count(PathKey(file.path))) {
            report.Warning(file.path, 0,
                           "setup.ini does not list this INF file; the installer leaves it out");
            facts.referenced.insert(PathKey(file.path));
        }
        const InfFile inf = ReadInf(file.path, file.bytes, report);
        CheckInfSections(inf, facts, report);
        CheckInfStrings(inf, report);
        CheckInfFiles(inf, package, facts, report);
    }
    if (!anyInf) report.Error(".", 0, "the folder holds no INF file");
    facts.ids.insert(facts.ids.end(), setupFacts.ids.begin(), setupFacts.ids.end());
    CheckOneDevice(facts.ids, report);
    CheckInstaller(package, setupIni != nullptr, facts, report);
    CheckLeftOver(package, facts, report);
    return report;
}

std::optional<zelvo::ZelvoError> LintFolder(const std::string& folder, LintReport& report) {
    Package package;
    LintReport reading;
    if (auto failure = ReadPackageFolder(folder, package, reading)) return failure;
    report = LintPackage(package);
    for (const Problem& problem : reading.Sorted())
        report.Error(problem.file, problem.line, problem.text);
    return std::nullopt;
}

}  // namespace kitforge::lint
