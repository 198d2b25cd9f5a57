// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop the wizard's pages run on: the Qt desktop, with message boxes as wide
// as the longest line of their text. The help texts break their lines themselves,
// at about 95 characters; a plain message box would wrap them again at about 500
// pixels and leave every other line a stub.

#include <memory>

#include "Desktop.hpp"

namespace kitforge {

std::unique_ptr<zelvo::IDesktop> NewWizardDesktop();

}  // namespace kitforge
