// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MaterialLibrary.hpp"

#include <algorithm>

#include "AppInfo.hpp"
#include "MaterialTexts.hpp"
#include "Strings.hpp"
#include "TextFile.hpp"

namespace zelvo {

std::optional<ZelvoError> MaterialLibrary::Load(const std::string& folder) {
    entries_.clear();
    problems_.clear();
    Merge(ReadMaterialsText(CarriedMaterialsText(), texts::kCarriedMaterialsName));
    const std::string path = JoinPath(folder, texts::kMaterialsFileName);
    if (!FileExists(path)) return std::nullopt;
    try {
        Merge(ReadMaterialsText(ReadFileBytes(path), texts::kMaterialsFileName));
    } catch (const ZelvoError& failure) {
        return failure;
    }
    return std::nullopt;
}

void MaterialLibrary::Merge(MaterialsFile file) {
    for (Material& m : file.entries) {
        auto same = [&](const Material& e) { return SameMaterialName(e.name, m.name); };
        auto known = std::find_if(entries_.begin(), entries_.end(), same);
        if (known != entries_.end()) {
            *known = std::move(m);
        } else {
            entries_.push_back(std::move(m));
        }
    }
    std::stable_sort(entries_.begin(), entries_.end(), [](const Material& a, const Material& b) {
        return ToLower(a.name) < ToLower(b.name);
    });
    problems_.insert(problems_.end(), file.problems.begin(), file.problems.end());
}

const Material* MaterialLibrary::Find(std::string_view name) const {
    const std::string wanted = Trim(name);
    for (const Material& m : entries_) {
        if (SameMaterialName(m.name, wanted)) return &m;
    }
    return nullptr;
}

std::vector<const Material*> MaterialLibrary::Search(std::string_view typed) const {
    const std::string wanted = ToLower(Trim(typed));
    std::vector<const Material*> starting;
    std::vector<const Material*> containing;
    for (const Material& m : entries_) {
        const std::string name = ToLower(m.name);
        if (name.starts_with(wanted)) {
            starting.push_back(&m);
        } else if (name.find(wanted) != std::string::npos ||
                   ToLower(m.formula).find(wanted) != std::string::npos) {
            containing.push_back(&m);
        }
    }
    starting.insert(starting.end(), containing.begin(), containing.end());
    return starting;
}

}  // namespace zelvo
