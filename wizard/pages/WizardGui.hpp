// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starts the wizard's pages on the desktop and returns the program's exit status
// when the wizard ends (0 after Finish or Cancel). The carried data files must be
// installed (SetDataFiles) before.

int RunWizardGui(int argc, char** argv);
