// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// %key% strings of an INF file: every key used has its [Strings] entry, every
// entry is used, and a '%' outside [Strings] stands in a %key% or a %%.

#include <algorithm>
#include <cctype>
#include <map>

#include "PackageLint.hpp"
#include "Strings.hpp"
#include "Windows1252.hpp"

namespace kitforge::lint {
namespace {

// Strings that the installer program reads from the INF files itself; no line of
// the INF needs to use them.
constexpr const char* kInstallerStrings[] = {"CustomerDataPath", "DriverSet"};

bool IsKeyName(std::string_view key) {
    return std::all_of(key.begin(), key.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-';
    });
}

bool IsNumber(std::string_view key) {
    return std::all_of(key.begin(), key.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

struct Use {
    std::string key;
    int line;
};

// The %key% uses in one field; numbers (%12%) are folder IDs, %% a percent sign.
void ScanField(const InfFile& inf, const std::string& text, int line, std::vector<Use>& uses,
               LintReport& report) {
    for (std::size_t i = text.find('%'); i != std::string::npos; i = text.find('%', i + 1)) {
        const std::size_t end = text.find('%', i + 1);
        const std::string key = end == std::string::npos ? "" : text.substr(i + 1, end - i - 1);
        if (end == std::string::npos || !IsKeyName(key)) {
            report.Error(
                inf.file, line,
                "the '%' in " + Quoted(text) + " starts no %key%; write %% for a percent sign");
            return;
        }
        if (!key.empty() && !IsNumber(key)) uses.push_back({key, line});
        i = end;
    }
}

}  // namespace

void CheckInfStrings(const InfFile& inf, LintReport& report) {
    std::map<std::string, InfLine> entries;  // by lower-case key
    std::vector<Use> uses;
    for (const InfSection& section : inf.sections) {
        const bool strings = IsStringSection(section.name);
        for (const InfLine& line : section.lines) {
            if (strings && !line.hasKey) {
                report.Error(inf.file, line.number, "a [Strings] line is key = \"text\"");
            } else if (strings) {
                const auto [at, added] = entries.emplace(zelvo::ToLower(line.key), line);
                if (!added) {
                    report.Warning(inf.file, line.number,
                                   "the string " + zelvo::FromWindows1252(line.key) +
                                       " again, first on line " +
                                       std::to_string(at->second.number));
                }
            } else {
                if (line.hasKey) ScanField(inf, line.key, line.number, uses, report);
                for (const std::string& value : line.values)
                    ScanField(inf, value, line.number, uses, report);
            }
        }
    }
    std::map<std::string, bool> used;
    for (const Use& use : uses) {
        const std::string key = zelvo::ToLower(use.key);
        used[key] = true;
        if (!entries.count(key)) {
            report.Error(inf.file, use.line,
                         "%" + zelvo::FromWindows1252(use.key) +
                             "% has no entry in [Strings]; Windows shows the key itself");
        }
    }
    for (const char* key : kInstallerStrings) used[zelvo::ToLower(key)] = true;
    for (const auto& [key, line] : entries) {
        if (used.count(key)) continue;
        report.Warning(
            inf.file, line.number,
            "the string " + zelvo::FromWindows1252(line.key) + " is used nowhere in the file");
    }
}

}  // namespace kitforge::lint
