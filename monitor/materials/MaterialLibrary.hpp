// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The materials the operator can choose from: the carried table, added to and
// overridden by the user's materials.txt in the application folder.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Material.hpp"
#include "ZelvoError.hpp"

namespace zelvo {

// The carried materials file, compiled into the program.
std::string_view CarriedMaterialsText();

class MaterialLibrary {
  public:
    // Reads the carried table, then `folder`/materials.txt when it exists. A user's
    // file that exists but cannot be read is the failure returned; the carried
    // materials are there all the same. Skipped lines go to Problems().
    std::optional<ZelvoError> Load(const std::string& folder);

    // All materials, by name (letter case ignored).
    const std::vector<Material>& Entries() const { return entries_; }
    const std::vector<std::string>& Problems() const { return problems_; }
    // The material of that name (letter case ignored), if any.
    const Material* Find(std::string_view name) const;
    // The materials whose name or formula contains the typed text (letter case
    // ignored): those whose name starts with it first, each group by name.
    std::vector<const Material*> Search(std::string_view typed) const;

  private:
    void Merge(MaterialsFile file);

    std::vector<Material> entries_;
    std::vector<std::string> problems_;
};

}  // namespace zelvo
