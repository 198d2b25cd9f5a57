// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "UtilityError.hpp"

#include "Desktop.hpp"

namespace zelvo {

void ShowUtilityError(const std::string& routine, const ZelvoError& error) {
    Desktop().MessageBox(ShortErrorText(error.Number(), error.Description()), routine,
                         MsgButtons::OK, MsgIcon::None);
}

void ShowUtilityError(const std::string& routine) {
    ShowUtilityError(routine, CurrentError());
}

}  // namespace zelvo
