// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleMaterials.hpp"

#include <cmath>
#include <iomanip>
#include <ostream>

#include "Format.hpp"
#include "KeptParams.hpp"
#include "MaterialChoice.hpp"
#include "Numbers.hpp"
#include "Validation.hpp"

namespace zelvo::cli {

bool LoadMaterials(const std::string& folder, MaterialLibrary& library, std::ostream& err) {
    const std::optional<ZelvoError> failure = library.Load(folder);
    for (const std::string& problem : library.Problems()) {
        err << "zelvomon-cli: " << problem << " (skipped)\n";
    }
    if (failure) err << "zelvomon-cli: materials.txt: " << failure->Description() << "\n";
    return !failure;
}

void ListMaterials(const MaterialLibrary& library, std::ostream& out) {
    size_t nameWidth = 8;
    for (const Material& m : library.Entries()) nameWidth = std::max(nameWidth, m.name.size());
    out << std::left << std::setw(static_cast<int>(nameWidth) + 2) << "Material" << std::setw(10)
        << "Formula" << std::right << std::setw(8) << "Density" << std::setw(10) << "Z Factor"
        << "\n";
    for (const Material& m : library.Entries()) {
        out << std::left << std::setw(static_cast<int>(nameWidth) + 2) << m.name << std::setw(10)
            << m.formula << std::right << std::setw(8) << FormatNumber(m.density, "0.000")
            << std::setw(10) << FormatNumber(m.zFactor, "0.000") << "\n";
    }
}

std::optional<std::string> ReadMaterialChoices(const std::vector<std::string>& texts,
                                               const MaterialLibrary& library,
                                               std::map<int, Material>& choices) {
    for (const std::string& text : texts) {
        const size_t equals = text.find('=');
        const std::optional<double> number =
            equals == std::string::npos ? std::nullopt : ParseNumber(text.substr(0, equals));
        if (!number || *number < 1 || *number > kChannelCount || *number != std::floor(*number)) {
            return "--material needs N=NAME with a channel N from 1 to 8, not \"" + text + "\"";
        }
        const Material* material = library.Find(text.substr(equals + 1));
        if (material == nullptr) {
            return "no material \"" + text.substr(equals + 1) + "\" (--materials lists them)";
        }
        choices[static_cast<int>(*number) - 1] = *material;
    }
    return std::nullopt;
}

bool ApplyMaterialChoices(MainContext& ctx, const std::map<int, Material>& choices,
                          std::ostream& err) {
    NoEntryBoxes boxes;
    KeptParamsGrid grid;
    Validation checks(ctx, boxes, grid);
    bool all = true;
    for (const auto& [channel, material] : choices) {
        if (mnuMaterial_Click(ctx, checks, channel, material)) continue;
        all = false;
        err << "zelvomon-cli: channel " << channel + 1 << " keeps its material"
            << (ctx.state.Locked ? ": the parameters are locked\n" : "\n");
    }
    return all;
}

}  // namespace zelvo::cli
