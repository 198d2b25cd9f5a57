// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One material of the library and the reading of a materials file: INI-like text,
// one material per line "Name = Formula; Density; Z factor[; Acoustic impedance]",
// comments after ";" or "#" at the start of a line, an optional [Materials] header.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

// Impedance of AT-cut quartz, 10^5 g cm^-2 s^-1: the Z factor's numerator.
inline constexpr double kQuartzImpedance = 8.83;

struct Material {
    std::string name;
    std::string formula;
    double density = 0;  // g/cm3
    double zFactor = 0;
    std::optional<double> impedance;  // 10^5 g cm^-2 s^-1, when the file states it
    int line = 0;                     // line of its file
};

// What one materials file holds: the accepted entries in file order (a name given
// twice keeps its later entry, in the place of the first), and one report per
// skipped or replaced line, "<file>, line <n>: <reason>".
struct MaterialsFile {
    std::vector<Material> entries;
    std::vector<std::string> problems;
};

// Reads a materials file's text (LF or CR LF line ends). A line that is no material
// line is skipped and reported; a density or Z factor outside the limits of the
// parameter grid is refused with the grid's message; a name that cannot be a
// channel name is refused with the channel name's message.
MaterialsFile ReadMaterialsText(std::string_view text, const std::string& fileName);

// Two names are the same material when they differ in letter case only.
bool SameMaterialName(std::string_view a, std::string_view b);

}  // namespace zelvo
