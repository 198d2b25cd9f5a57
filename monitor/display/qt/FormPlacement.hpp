// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window routines: saving and restoring a window's position in the per-user
// store (section "Form Positions", key = the window's name), centring it on the
// screen. Positions are stored in twips.

class QWidget;

namespace zelvo::qt {

void SaveFormPosition(QWidget* window);
// Restores the stored position, kept on screen when asked; false when none was
// stored (the window is left as it is).
bool RestoreFormPosition(QWidget* window, bool keepOnScreen);
void CenterFormScreen(QWidget* window);

}  // namespace zelvo::qt
