// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's file commands: the setup-file menu items (open, save, save as)
// and the data log's Select button, each through a fresh cFileDialog.

#include <functional>
#include <string>

#include "MainView.hpp"

namespace zelvo {

// Shows the open (save false) or save (save true) dialog for setup files in the
// application folder; the chosen name without its folder, or "" when cancelled.
std::string ChooseSetupFile(bool save);

// File menu "&Open Configuration": reads the chosen setup file, sets the caption
// and rebuilds the window (FormInit, LoadData). Sends nothing to the sensors. While
// a sensor exchange waits for its reply it is refused with a beep: the file would
// change the channels' sensors under the waiting sweep.
void mnuOpen_Click(MainState& state, IMainWindow& window, const ISensorManager& sensors);
// File menu "&Save Configuration": writes the current setup file.
void mnuSave_Click(const MainState& state);
// File menu "Save Configuration &As": writes the chosen file and sets the caption.
void mnuSaveAS_Click(const MainState& state, IMainWindow& window);

// DataLog "&Select": the log file's save dialog. A file in the application folder
// is kept as its bare name, any other as its full path; the label shows the short
// form of LogFile afterwards, also after a cancel.
void cmdSelect_Click(MainState& state, const std::function<void(const std::string&)>& showName);

}  // namespace zelvo
