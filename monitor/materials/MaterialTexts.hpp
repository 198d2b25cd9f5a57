// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The material library's own texts: reports of a materials file's lines and the
// console's messages.

namespace zelvo::texts {

inline constexpr const char* kMaterialsFileName = "materials.txt";
inline constexpr const char* kCarriedMaterialsName = "carried materials";
inline constexpr const char* kNotAMaterialLine =
    "not a material line (Name = Formula; Density; Z factor[; Acoustic impedance])";
inline constexpr const char* kNotANumber = " is not a number";
inline constexpr const char* kDuplicateMaterial = " again, replacing line ";
inline constexpr const char* kMaterialMenuTitle = "Material for ";
inline constexpr const char* kMaterialColumns[] = {"Material", "Formula", "Density", "Z Factor"};
inline constexpr const char* kMaterialSearchHint = "Type to search by name or formula";
inline constexpr const char* kMaterialsProblems = "Some lines of the materials files were skipped:";

}  // namespace zelvo::texts
