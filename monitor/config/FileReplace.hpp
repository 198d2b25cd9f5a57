// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Replacing a file's whole content so that a write that cannot complete (full
// disk, size limit, no permission) leaves the old content whole.

#include <optional>
#include <string>

#include "ZelvoError.hpp"

namespace zelvo {

// Writes the bytes as the file's new content. A symbolic link is written through
// to its target and stays a link; the file keeps its owner and mode.
//
// The content goes to a new file beside the target that then takes its place in
// one step. Where that is not possible (the folder allows no new file, or the
// owner cannot be given to the new file), the file is rewritten in place, but
// only after the space for the new content has been reserved. On failure nothing
// has changed and the failure is returned.
std::optional<ZelvoError> ReplaceFileContent(const std::string& path, const std::string& bytes);

}  // namespace zelvo
