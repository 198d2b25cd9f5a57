// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// setup.ini as the installer program reads it: sections of whole-line values, the
// sections it knows, their values, and the files they name.

#include <algorithm>
#include <cctype>
#include <map>

#include "PackageLint.hpp"
#include "Strings.hpp"
#include "Windows1252.hpp"

namespace kitforge::lint {
namespace {

enum class Kind { One, OnOff, YesNo, Hex, DriverType, Folders, Infs, Drivers, Catalogs };

struct Key {
    const char* name;
    Kind kind;
    bool always;  // false: only when the installer copies the driver files
};

// The sections the installer reads.
constexpr Key kKeys[] = {
    {"Driver Type", Kind::DriverType, true},
    {"Driver Version", Kind::One, true},
    {"Product Name", Kind::One, true},
    {"Company Name", Kind::One, true},
    {"VID", Kind::Hex, true},
    {"PID", Kind::Hex, true},
    {"Install Directory", Kind::One, false},
    {"Install Subdirectories", Kind::Folders, true},
    {"Install Quiet Mode", Kind::OnOff, true},
    {"Uninstall Quiet Mode", Kind::OnOff, true},
    {"Copy Driver Files", Kind::YesNo, true},
    {"Remove Copied Files On Uninstall", Kind::YesNo, false},
    {"XP_2K_2K3_VISTA INF Files", Kind::Infs, true},
    {"XP_2K_2K3_VISTA Driver Files", Kind::Drivers, true},
    {"XP_2K_2K3_VISTA Catalog Files", Kind::Catalogs, true},
};

struct Section {
    const Key* key = nullptr;  // nullptr: a section the installer does not read
    std::string name;
    int number = 0;
    std::vector<TextLine> values;
};

const Key* KnownKey(std::string_view name) {
    for (const Key& key : kKeys) {
        if (zelvo::EqualsNoCase(key.name, name)) return &key;
    }
    return nullptr;
}

bool IsList(Kind kind) {
    return kind == Kind::Folders || kind == Kind::Infs || kind == Kind::Drivers ||
           kind == Kind::Catalogs;
}

// The line after the header of a one-value section is its value, whatever it
// holds (a product name may look like a header); other value lines run to the
// next header.
std::vector<Section> ReadSections(const PackageFile& file, LintReport& report) {
    std::vector<Section> sections;
    bool valueDue = false;
    for (TextLine& line : ReadTextLines(file.path, file.bytes, false, report)) {
        const std::string text = zelvo::Trim(line.text);
        if (valueDue) {
            sections.back().values.push_back({line.number, text});
            valueDue = false;
        } else if (text.empty()) {
            continue;
        } else if (text.starts_with('[') && text.ends_with(']')) {
            const std::string name = text.substr(1, text.size() - 2);
            sections.push_back({KnownKey(name), name, line.number, {}});
            valueDue = sections.back().key && !IsList(sections.back().key->kind);
        } else if (sections.empty()) {
            report.Error(file.path, line.number,
                         "a line before the first section header; the installer reads only "
                         "sections");
        } else {
            sections.back().values.push_back({line.number, text});
        }
    }
    return sections;
}

bool IsHexDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
}

bool OneOf(const std::string& value, std::initializer_list<const char*> allowed) {
    for (const char* text : allowed) {
        if (zelvo::EqualsNoCase(value, text)) return true;
    }
    return false;
}

// A section of one value: exactly one line, and one of the allowed words.
void CheckSingle(const PackageFile& file, const Section& section, LintReport& report) {
    const std::string name = "[" + std::string(section.key->name) + "]";
    if (section.values.size() != 1) {
        report.Error(file.path, section.number,
                     name + " holds " + std::to_string(section.values.size()) +
                         " lines; the installer reads one value");
        return;
    }
    const TextLine& value = section.values[0];
    const char* expected = nullptr;
    if (section.key->kind == Kind::OnOff && !OneOf(value.text, {"On", "Off"})) {
        expected = "On or Off";
    } else if (section.key->kind == Kind::YesNo && !OneOf(value.text, {"Yes", "No"})) {
        expected = "Yes or No";
    } else if (section.key->kind == Kind::Hex &&
               (value.text.size() != 4 || !IsHexDigits(value.text))) {
        expected = "four hexadecimal digits";
    } else if (section.key->kind == Kind::DriverType &&
               !OneOf(value.text, {"VCP NR7x Meridian", "Linkvane"})) {
        expected = "\"VCP NR7x Meridian\" or \"Linkvane\"";
    }
    if (expected) {
        report.Error(file.path, value.number,
                     name + " is " + expected + ", not " + Quoted(value.text));
    }
}

// The files and folders a list section names are in the package.
void CheckListed(const PackageFile& file, const Section& section, const Package& package,
                 FileFacts& facts, LintReport& report) {
    if (section.values.empty()) {
        report.Error(file.path, section.number,
                     "[" + zelvo::AsUtf8(section.name) + "] holds no line");
    }
    const Kind kind = section.key->kind;
    for (const TextLine& value : section.values) {
        const std::string path = PackagePathOf(value.text);
        if (kind == Kind::Folders) {
            const bool present =
                std::any_of(package.files.begin(), package.files.end(), [&](const PackageFile& f) {
                    return zelvo::ToLower(f.path).starts_with(zelvo::ToLower(path) + "/");
                });
            if (!present) {
                report.Error(file.path, value.number,
                             "the installer installs from the subfolder " + path +
                                 ", which the package lacks");
            }
            continue;
        }
        if (kind == Kind::Infs && !HasExtension(path, ".inf")) {
            report.Error(file.path, value.number, path + " is no INF file (.inf)");
        }
        if (package.Find(path)) {
            facts.referenced.insert(PathKey(path));
        } else if (kind != Kind::Catalogs || package.HasCatalogs()) {
            std::string text = path + " is not in the package";
            for (const PackageFile* other : package.Named(path.substr(path.rfind('/') + 1)))
                text += "; the package has " + other->path;
            report.Error(file.path, value.number, text);
        }
    }
}

// The sections that depend on copying: present exactly when files are copied.
void CheckPresence(const PackageFile& file, const std::map<const Key*, const Section*>& seen,
                   LintReport& report) {
    const auto copy = seen.find(KnownKey("Copy Driver Files"));
    const bool copies = copy != seen.end() && copy->second->values.size() == 1 &&
                        zelvo::EqualsNoCase(copy->second->values[0].text, "Yes");
    for (const Key& key : kKeys) {
        const auto found = seen.find(&key);
        if (found == seen.end() && (key.always || copies)) {
            report.Error(file.path, 0,
                         "no [" + std::string(key.name) + "] section, which the installer reads");
        } else if (found != seen.end() && !key.always && !copies) {
            report.Warning(
                file.path, found->second->number,
                "[" + std::string(key.name) + "] is read only when [Copy Driver Files] is Yes");
        }
    }
}

void NoteDeviceId(const PackageFile& file, const std::map<const Key*, const Section*>& seen,
                  FileFacts& facts) {
    const auto vid = seen.find(KnownKey("VID")), pid = seen.find(KnownKey("PID"));
    if (vid == seen.end() || pid == seen.end() || vid->second->values.size() != 1 ||
        pid->second->values.size() != 1)
        return;
    const TextLine& v = vid->second->values[0];
    const TextLine& p = pid->second->values[0];
    if (v.text.size() != 4 || p.text.size() != 4 || !IsHexDigits(v.text) || !IsHexDigits(p.text))
        return;
    facts.ids.push_back(
        {zelvo::ToUpper(v.text), zelvo::ToUpper(p.text), file.path, v.number, p.number});
}

}  // namespace

void CheckSetupIni(const PackageFile& setupIni, const Package& package, FileFacts& facts,
                   LintReport& report) {
    const std::vector<Section> sections = ReadSections(setupIni, report);
    std::map<const Key*, const Section*> seen;
    for (const Section& section : sections) {
        if (!section.key) {
            report.Warning(setupIni.path, section.number,
                           "the installer reads no section [" + zelvo::AsUtf8(section.name) +
                               "]; check its spelling");
            continue;
        }
        if (const auto [at, added] = seen.emplace(section.key, &section); !added) {
            report.Error(setupIni.path, section.number,
                         "[" + zelvo::AsUtf8(section.name) + "] again, first on line " +
                             std::to_string(at->second->number) + "; the installer reads one");
            continue;
        }
        if (IsList(section.key->kind)) {
            CheckListed(setupIni, section, package, facts, report);
        } else {
            CheckSingle(setupIni, section, report);
        }
    }
    CheckPresence(setupIni, seen, report);
    NoteDeviceId(setupIni, seen, facts);
}

}  // namespace kitforge::lint
