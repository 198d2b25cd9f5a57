// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The sections of an INF file, the sections they name, its hardware IDs and its
// %key% strings.

#include <map>
#include <regex>

#include "PackageLint.hpp"
#include "Strings.hpp"
#include "Windows1252.hpp"

namespace kitforge::lint {
namespace {

// Sections whose keys are no install directives.
bool IsDataSection(const std::string& name) {
    const std::string lower = zelvo::ToLower(name);
    return IsStringSection(name) || lower == "version" || lower == "manufacturer" ||
           lower == "destinationdirs" || lower.starts_with("sourcedisksnames") ||
           lower.starts_with("sourcedisksfiles");
}

const InfLine* KeyLine(const InfSection& section, std::string_view key) {
    for (const InfLine& line : section.lines) {
        if (line.hasKey && zelvo::EqualsNoCase(line.key, key)) return &line;
    }
    return nullptr;
}

void RequireSection(const InfFile& inf, const std::string& name, int line, LintReport& report) {
    if (!name.empty() && !inf.Find(name)) {
        report.Error(
            inf.file, line,
            "names the section [" + zelvo::FromWindows1252(name) + "], which the file lacks");
    }
}

void CheckVersion(const InfFile& inf, LintReport& report) {
    const InfSection* version = inf.Find("Version");
    if (!version) {
        report.Error(inf.file, 0, "no [Version] section; Windows refuses the file");
        return;
    }
    const InfLine* signature = KeyLine(*version, "Signature");
    const std::string value = signature ? zelvo::ToLower(signature->Value(0)) : "";
    if (value != "$windows nt$" && value != "$chicago$") {
        report.Error(inf.file, signature ? signature->number : version->number,
                     "the signature must be \"$Windows NT$\" or \"$Chicago$\"; Windows refuses "
                     "the file otherwise");
    }
    static const std::regex guid(
        R"(\{[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}\})");
    if (const InfLine* classGuid = KeyLine(*version, "ClassGuid");
        classGuid && !std::regex_match(classGuid->Value(0), guid)) {
        report.Error(inf.file, classGuid->number,
                     "ClassGuid " + Quoted(classGuid->Value(0)) +
                         " is no {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}");
    }
    static const std::regex date(R"((0?[1-9]|1[0-2])/(0?[1-9]|[12][0-9]|3[01])/[0-9]{4})");
    static const std::regex number(R"([0-9]{1,5}(\.[0-9]{1,5}){0,3})");
    if (const InfLine* driverVer = KeyLine(*version, "DriverVer");
        driverVer &&
        (!std::regex_match(driverVer->Value(0), date) ||
         (driverVer->values.size() > 1 && !std::regex_match(driverVer->Value(1), number)))) {
        report.Error(inf.file, driverVer->number,
                     "DriverVer is mm/dd/yyyy, then a version of up to four numbers (1.2.3.4)");
    }
}

void CheckHardwareId(const InfFile& inf, const InfLine& line, std::size_t index, FileFacts& facts,
                     LintReport& report) {
    static const std::regex usb(
        R"(USB\\VID_([0-9A-F]{4})&PID_([0-9A-F]{4})(&REV_[0-9A-F]{4})?(&MI_[0-9A-F]{2})?(&OS_NT)?)",
        std::regex::icase);
    const std::string id = line.Value(index);
    std::smatch match;
    if (std::regex_match(id, match, usb)) {
        facts.ids.push_back({zelvo::ToUpper(match[1].str()), zelvo::ToUpper(match[2].str()),
                             inf.file, line.number, line.number});
    } else if (index == 1 || zelvo::ToUpper(id).starts_with("USB\\VID_")) {
        report.Error(inf.file, line.number,
                     "hardware ID " + Quoted(id) +
                         " is not USB\\VID_xxxx&PID_xxxx with four hexadecimal digits each "
                         "(then &REV_xxxx, &MI_xx); no device would match it");
    }
}

// [Manufacturer] names the models sections; each model names its install section
// and hardware IDs.
void CheckModels(const InfFile& inf, FileFacts& facts, LintReport& report) {
    const InfSection* manufacturer = inf.Find("Manufacturer");
    if (!manufacturer) {
        report.Error(inf.file, 0, "no [Manufacturer] section; the file installs no device");
        return;
    }
    for (const InfLine& entry : manufacturer->lines) {
        const std::string models = entry.Value(0);
        for (std::size_t i = 0; i < entry.values.size(); ++i) {
            const std::string name = i == 0 ? models : models + "." + entry.values[i];
            RequireSection(inf, name, entry.number, report);
            const InfSection* section = inf.Find(name);
            if (!section || name.empty()) continue;
            for (const InfLine& model : section->lines) {
                const std::string install = model.Value(0);
                const bool found = inf.Find(install) || inf.Find(install + ".NT") ||
                                   inf.Find(install + ".NTamd64") || inf.Find(install + ".NTx86");
                if (!found) RequireSection(inf, install, model.number, report);
                if (model.values.size() < 2) {
                    report.Error(inf.file, model.number, "a device without a hardware ID");
                }
                for (std::size_t id = 1; id < model.values.size(); ++id)
                    CheckHardwareId(inf, model, id, facts, report);
            }
        }
    }
}

// Install directives name the sections that hold their lists.
void CheckDirectives(const InfFile& inf, LintReport& report) {
    for (const InfSection& section : inf.sections) {
        if (zelvo::EqualsNoCase(section.name, "DestinationDirs")) {
            for (const InfLine& line : section.lines) {
                if (line.hasKey && !zelvo::EqualsNoCase(line.key, "DefaultDestDir"))
                    RequireSection(inf, line.key, line.number, report);
            }
        }
        if (IsDataSection(section.name)) continue;
        for (const InfLine& line : section.lines) {
            const std::string key = zelvo::ToLower(line.key);
            if (key == "copyfiles" || key == "addreg" || key == "delreg" || key == "delfiles" ||
                key == "renfiles") {
                for (const std::string& name : line.values) {
                    if (!name.starts_with('@')) RequireSection(inf, name, line.number, report);
                }
            } else if (key == "addservice") {
                RequireSection(inf, line.Value(2), line.number, report);
            }
        }
    }
}

}  // namespace

void CheckInfSections(const InfFile& inf, FileFacts& facts, LintReport& report) {
    CheckVersion(inf, report);
    CheckModels(inf, facts, report);
    CheckDirectives(inf, report);
}

}  // namespace kitforge::lint
