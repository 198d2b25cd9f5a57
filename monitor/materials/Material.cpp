// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Material.hpp"

#include <algorithm>

#include "MaterialTexts.hpp"
#include "Numbers.hpp"
#include "Strings.hpp"
#include "ValidationChecks.hpp"

namespace zelvo {
namespace {

constexpr size_t kLeastFields = 3;  // formula, density, Z factor
constexpr size_t kMostFields = 4;   // and the acoustic impedance

bool IsComment(std::string_view line) {
    return line.empty() || line.front() == ';' || line.front() == '#';
}

// Reads one entry line; the reason it was refused otherwise.
std::optional<std::string> ReadEntry(const std::string& line, Material& m) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return texts::kNotAMaterialLine;
    const EntryCheck name = CheckChannelName(line.substr(0, equals));
    std::vector<std::string> fields = Split(line.substr(equals + 1), ';');
    for (std::string& field : fields) field = Trim(field);
    if (name.accepted && name.shown.empty()) return texts::kNotAMaterialLine;
    if (fields.size() < kLeastFields || fields.size() > kMostFields || fields[0].empty())
        return texts::kNotAMaterialLine;
    if (!name.accepted) return name.message;
    const char* labels[] = {"", "the density", "the Z factor", "the acoustic impedance"};
    for (size_t i = 1; i < fields.size(); ++i) {
        if (!EntryNumber(fields[i])) return labels[i] + std::string(texts::kNotANumber);
    }
    // The same checks as the values typed into the parameter grid.
    const ParameterCheck density = CheckParameter(kDensityColumn, fields[1]);
    if (!density.accepted) return density.message;
    const ParameterCheck zFactor = CheckParameter(kZFactorColumn, fields[2]);
    if (!zFactor.accepted) return zFactor.message;
    m.name = name.shown;
    m.formula = fields[0];
    m.density = density.value;
    m.zFactor = zFactor.value;
    if (fields.size() == kMostFields) {
        m.impedance = EntryNumber(fields[3]);
        if (*m.impedance <= 0) return texts::kNotAMaterialLine;
    }
    return std::nullopt;
}

bool IsHeader(std::string_view line) {
    return SameMaterialName(line, "[Materials]");
}

}  // namespace

bool SameMaterialName(std::string_view a, std::string_view b) {
    return EqualsNoCase(a, b);
}

MaterialsFile ReadMaterialsText(std::string_view text, const std::string& fileName) {
    MaterialsFile file;
    const std::vector<std::string> lines = Split(text, '\n');
    for (size_t n = 0; n < lines.size(); ++n) {
        std::string line = lines[n];
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = Trim(line);
        if (IsComment(line) || IsHeader(line)) continue;
        const std::string where = fileName + ", line " + std::to_string(n + 1) + ": ";
        Material m;
        m.line = static_cast<int>(n + 1);
        if (std::optional<std::string> refused = ReadEntry(line, m)) {
            file.problems.push_back(where + *refused);
            continue;
        }
        auto same = [&](const Material& e) { return SameMaterialName(e.name, m.name); };
        auto earlier = std::find_if(file.entries.begin(), file.entries.end(), same);
        if (earlier == file.entries.end()) {
            file.entries.push_back(std::move(m));
            continue;
        }
        file.problems.push_back(where + m.name + texts::kDuplicateMaterial +
                                std::to_string(earlier->line));
        *earlier = std::move(m);
    }
    return file;
}

}  // namespace zelvo
