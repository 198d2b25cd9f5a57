// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The files an INF file copies and names: each is in the package in the folder
// that [SourceDisksNames] and [SourceDisksFiles] give for each processor.

#include <map>

#include "PackageLint.hpp"
#include "Strings.hpp"
#include "Windows1252.hpp"

namespace kitforge::lint {
namespace {

struct Processor {
    const char* decoration;  // of [SourceDisksNames.x86] ...
};
constexpr Processor kX86{"x86"};
constexpr Processor kAmd64{"amd64"};

using Entries = std::map<std::string, const InfLine*>;  // by lower-case key

// The entries of [base] and [base.<processor>]; the latter count where both name
// a key.
Entries EntriesFor(const InfFile& inf, const std::string& base, const Processor& processor) {
    Entries entries;
    for (const std::string& name : {base, base + "." + processor.decoration}) {
        if (const InfSection* section = inf.Find(name)) {
            for (const InfLine& line : section->lines) {
                if (line.hasKey) entries[zelvo::ToLower(line.key)] = &line;
            }
        }
    }
    return entries;
}

// 64-bit Windows installs from the file when [Manufacturer] names models for it.
bool InstallsOnAmd64(const InfFile& inf) {
    const InfSection* manufacturer = inf.Find("Manufacturer");
    if (!manufacturer) return false;
    for (const InfLine& line : manufacturer->lines) {
        for (std::size_t i = 1; i < line.values.size(); ++i) {
            if (zelvo::ToLower(line.values[i]).find("amd64") != std::string::npos) return true;
        }
    }
    return false;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

// The fields of a copy-list line: a line with '=' counts its key as the first.
std::vector<std::string> Fields(const InfLine& line) {
    std::vector<std::string> fields;
    if (line.hasKey) fields.push_back(line.key);
    fields.insert(fields.end(), line.values.begin(), line.values.end());
    return fields;
}

void ReportMissing(const InfFile& inf, const InfLine& line, const std::string& path,
                   const Package& package, LintReport& report) {
    std::string text = path +
                       " is not in the package, where [SourceDisksNames] and "
                       "[SourceDisksFiles] place " +
                       zelvo::FromWindows1252(line.key);
    for (const PackageFile* other : package.Named(zelvo::FromWindows1252(line.key)))
        text += "; the package has " + other->path;
    report.Error(inf.file, line.number, text);
}

// The source files for one processor: lower-case name -> package path.
std::map<std::string, std::string> SourceFiles(const InfFile& inf, const Package& package,
                                               const Processor& processor, FileFacts& facts,
                                               LintReport& report) {
    const Entries disks = EntriesFor(inf, "SourceDisksNames", processor);
    std::map<std::string, std::string> files;
    for (const auto& [name, line] : EntriesFor(inf, "SourceDisksFiles", processor)) {
        const auto disk = disks.find(zelvo::ToLower(line->Value(0)));
        if (disk == disks.end()) {
            report.Error(inf.file, line->number,
                         zelvo::FromWindows1252(line->key) + " lies on disk " +
                             Quoted(line->Value(0)) + ", which [SourceDisksNames." +
                             processor.decoration + "] does not define");
            continue;
        }
        const std::string path = PackagePathOf(FolderOf(inf.file) + "\\" + disk->second->Value(3) +
                                               "\\" + line->Value(1) + "\\" + line->key);
        files[name] = path;
        if (package.Find(path)) {
            facts.referenced.insert(PathKey(path));
        } else {
            ReportMissing(inf, *line, path, package, report);
        }
    }
    return files;
}

void CheckCatalogs(const InfFile& inf, const Package& package, FileFacts& facts,
                   LintReport& report) {
    const InfSection* version = inf.Find("Version");
    if (!version) return;
    for (const InfLine& line : version->lines) {
        if (!zelvo::ToLower(line.key).starts_with("catalogfile")) continue;
        const std::string path = PackagePathOf(FolderOf(inf.file) + "\\" + line.Value(0));
        facts.catalogs.push_back(line.Value(0));
        if (package.Find(path)) {
            facts.referenced.insert(PathKey(path));
        } else if (package.HasCatalogs()) {
            report.Error(inf.file, line.number,
                         "the catalog " + path +
                             " is not in the package, which holds other catalogs; Windows "
                             "finds a signed package's catalog beside its INF file");
        }
    }
}

using Sources = std::vector<std::pair<const Processor*, std::map<std::string, std::string>>>;

// The entries of the copy lists that a CopyFiles directive names (a "@file" is an
// entry of its own).
std::vector<InfLine> CopyEntries(const InfFile& inf, const InfLine& directive) {
    std::vector<InfLine> entries;
    for (const std::string& list : directive.values) {
        if (list.starts_with('@')) {
            entries.push_back({directive.number, false, {}, {list.substr(1)}});
        } else if (const InfSection* copy = inf.Find(list)) {
            entries.insert(entries.end(), copy->lines.begin(), copy->lines.end());
        }
    }
    return entries;
}

// Every file copied is a source file for each processor; returns the names the
// copies install (lower case).
std::map<std::string, bool> CheckCopies(const InfFile& inf, const Sources& sources,
                                        LintReport& report) {
    std::map<std::string, bool> installed;
    for (const InfSection& section : inf.sections) {
        if (zelvo::EqualsNoCase(section.name, "DestinationDirs")) continue;
        for (const InfLine& line : section.lines) {
            if (!zelvo::EqualsNoCase(line.key, "CopyFiles")) continue;
            for (const InfLine& entry : CopyEntries(inf, line)) {
                const std::vector<std::string> fields = Fields(entry);
                if (fields.empty() || fields[0].empty()) continue;
                // destination[, source]: the source is the destination when not named
                const std::string source =
                    fields.size() > 1 && !fields[1].empty() ? fields[1] : fields[0];
                installed[zelvo::ToLower(fields[0])] = true;
                std::string missing;  // the processors lacking it
                for (const auto& [processor, files] : sources) {
                    if (files.count(zelvo::ToLower(source))) continue;
                    missing +=
                        (missing.empty() ? "" : " and ") + std::string(processor->decoration);
                }
                if (!missing.empty()) {
                    report.Error(inf.file, entry.number,
                                 zelvo::FromWindows1252(source) +
                                     " is copied, but [SourceDisksFiles] does not list it for " +
                                     missing);
                }
            }
        }
    }
    return installed;
}

void CheckServiceBinaries(const InfFile& inf, const std::map<std::string, bool>& installed,
                          LintReport& report) {
    for (const InfSection& section : inf.sections) {
        for (const InfLine& line : section.lines) {
            if (!zelvo::EqualsNoCase(line.key, "ServiceBinary")) continue;
            const std::string path = line.Value(0);
            const std::string binary = path.substr(path.find_last_of('\\') + 1);
            if (!installed.count(zelvo::ToLower(binary))) {
                report.Error(inf.file, line.number,
                             "the service runs " + Quoted(binary) +
                                 ", which no copy list of the file installs");
            }
        }
    }
}

}  // namespace

void CheckInfFiles(const InfFile& inf, const Package& package, FileFacts& facts,
                   LintReport& report) {
    Sources sources;
    for (const Processor* processor : {&kX86, &kAmd64}) {
        if (processor == &kAmd64 && !InstallsOnAmd64(inf)) continue;
        sources.emplace_back(processor, SourceFiles(inf, package, *processor, facts, report));
    }
    CheckServiceBinaries(inf, CheckCopies(inf, sources, report), report);
    CheckCatalogs(inf, package, facts, report);
}

}  // namespace kitforge::lint
