// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Creation of a folder with every missing parent, one level at a time.

#include <optional>
#include <string>

#include "ZelvoError.hpp"

namespace zelvo {

// Creates the folder and its missing parents. A level that exists counts only when
// it is a folder: a file of that name would make every later write into it fail.
// The root "/" is never split off. Empty on success, else the failure.
std::optional<ZelvoError> CreateFolderTree(const std::string& path);

}  // namespace zelvo
