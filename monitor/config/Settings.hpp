// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing every setting of the monitor from and to a setup file in
// the application folder (frmMain_IniRead, frmMain_IniWrite).

#include <string>

#include "MainState.hpp"
#include "MainView.hpp"
#include "SettingsKeys.hpp"

namespace zelvo {

// Reads every setting from the file (keys and conversions in SettingsKeys); the
// View setting is applied through the window at once. A missing file gives
// "<name> Not Found." and the defaults of the oldest layout. The name becomes the
// current setup file. A value that cannot be taken, or lies outside its range,
// keeps its variable's previous value; the remaining keys are still read and the
// first failure is reported through the error handler.
void IniRead(MainState& state, IMainWindow& window, const std::string& sFileName);

// Writes every setting to the file (created when missing). A read-only file gives
// "<name> is Read Only!" and nothing is written. Otherwise the name becomes the
// current setup file. A key that cannot be written, and a sensor line that would
// not read back whole (which is then not written), are reported through the error
// handler once all other keys are written. Returns true when every setting was written.
bool IniWrite(const MainState& state, const std::string& sFileName);

// Writes the run number alone to the setup file, when a run starts, so that a
// monitor that is killed or loses power never gives the next run the same number.
// A read-only file is left alone (the shutdown says so); a failure to write is
// shown titled "SaveRunNumber". True when the number is in the file.
bool SaveRunNumber(const MainState& state, const std::string& sFileName);
inline constexpr const char* kSaveRunNumberTitle = "SaveRunNumber";

}  // namespace zelvo
