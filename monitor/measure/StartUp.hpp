// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Start-up and shutdown of the monitor: window load, the deferred first clock
// tick with discovery, the clock, and the orderly close.

#include "MainView.hpp"

namespace zelvo {

// frmMain_Load: refuses a second instance, finds and reads the current setup
// file, builds the window and starts the clock timer at 100 ms. Connects the two
// timers to their handlers. Returns false when the program is to end at once.
bool Form_Load(MainContext& ctx);

// frmMain_tmrDate_Timer: on the first tick the deferred start-up (window shown,
// discovery, Stopped, sweep timer on, clock at 1000 ms); on every tick the clock.
void tmrDate_Timer(MainContext& ctx);

// frmMain_Unload: timers off, sensor manager stopped and released, settings
// written to the current setup file, window position saved. Returns false when the
// settings could not be written (the failure has been shown).
bool Form_Unload(MainContext& ctx);

}  // namespace zelvo
