// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The material library on the console: --materials lists it, --material N=NAME
// chooses channel N's material for the run as the parameter grid's row menu does.

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "MainView.hpp"
#include "MaterialLibrary.hpp"
#include "ValidationView.hpp"

namespace zelvo::cli {

// Loads the library of the application folder; skipped lines and an unreadable
// user's file are told on `err`. False when the user's file could not be read.
bool LoadMaterials(const std::string& folder, MaterialLibrary& library, std::ostream& err);

// One line per material: name, formula, density and Z factor in columns.
void ListMaterials(const MaterialLibrary& library, std::ostream& out);

// Reads the texts of --material options, "N=NAME" with N from 1 to 8 and NAME a
// material of the library (letter case ignored), into channel index -> material.
// The reason of the first text that is none, otherwise nothing.
std::optional<std::string> ReadMaterialChoices(const std::vector<std::string>& texts,
                                               const MaterialLibrary& library,
                                               std::map<int, Material>& choices);

// Applies the choices through the parameter grid's checks (refused while the
// parameters are locked); a refusal is told on `err`. False when one was refused.
bool ApplyMaterialChoices(MainContext& ctx, const std::map<int, Material>& choices,
                          std::ostream& err);

}  // namespace zelvo::cli
