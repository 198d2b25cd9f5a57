// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Run control: the run states with their buttons, Start, Stop, Pause and Resume,
// the elapsed run time, and the zeroing commands.

#include <string>

#include "MainView.hpp"

namespace zelvo {

inline constexpr Rgb kStartGreen{0, 255, 0};
inline constexpr Rgb kStopRed{255, 0, 0};

// A run time as "hh:mm:ss"; runs of 24 hours or more wrap.
std::string ElapsedText(double seconds);

// The RunMode property: applies run state 0 Stopped, 1 Running or 2 Paused to the
// buttons and the run clock. Other values change nothing.
void SetRunMode(MainContext& ctx, int16_t mode);

// frmMain_cmdFSwitch_Click: button 0 starts or stops, button 1 pauses or resumes. Start
// pressed while an exchange with a sensor waits for its reply is kept for StartIfPending.
void cmdFSwitch_Click(MainContext& ctx, int index);
// Starts the run kept by a Start pressed during an exchange, once no exchange waits.
void StartIfPending(MainContext& ctx);

// A click on the readings grid: column 2 of a channel row zeroes that channel, or
// every sensor while Shift is held. A zero resets the supervision of the channels it
// zeroes, as Start resets every channel's.
void grdRdgs_Click(MainContext& ctx, int row, int column);

enum class Key { Shift, Control, Digit0, Other };
// Keys on the main window: Shift and Ctrl are tracked as held; Ctrl+0 zeroes all.
void Form_KeyDown(MainContext& ctx, Key key);
void Form_KeyUp(MainContext& ctx, Key key);

// The clock part of every clock tick: date and time labels and, while Running,
// the elapsed run time.
void RefreshClock(MainContext& ctx);

}  // namespace zelvo
