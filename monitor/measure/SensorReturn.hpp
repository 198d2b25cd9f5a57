// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sensors that leave the bus during a run and come back: a displayed channel whose
// readings answer "not found" is marked gone, and after the sweep its serial number
// is looked for again (at most every two seconds, never while an exchange waits).
// The same sensor goes back into its own record and its readings continue in the
// same run; the window is told through IMainWindow::SensorNotice.

#include <cstddef>

#include "MainView.hpp"

namespace zelvo {

// Least time between two searches for gone sensors.
inline constexpr uint32_t kSensorSearchMs = 2000;

// Notes the status of a channel's reading in the sweep.
void NoteReadingStatus(MainContext& ctx, size_t channel, int status);

// After the sweep: looks for the gone sensors of the displayed channels.
void LookForGoneSensors(MainContext& ctx);

}  // namespace zelvo
