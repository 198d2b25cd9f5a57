// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reading sweep (frmMain_GetReadings): reads every displayed channel, converts
// rate and thickness to the display units, smooths the rate while Running, writes
// the readings grid, hands the values to the charts and, after the sweep, to the
// data log. Each reading is judged by its channel's supervisor; the events it raises
// stay with the supervisor until the channel's next sweep.

#include "MainView.hpp"

namespace zelvo {

// Readings grid columns.
inline constexpr int kColumnRate = 0;
inline constexpr int kColumnThickness = 1;
inline constexpr int kColumnZero = 2;
inline constexpr int kColumnFrequency = 3;
inline constexpr int kColumnLife = 4;

void GetReadings(MainContext& ctx);

// frmMain_tmrRun_Timer: one sweep; then, once no exchange waits, the period entered and the
// Start pressed while an exchange waited.
void tmrRun_Timer(MainContext& ctx);

}  // namespace zelvo
