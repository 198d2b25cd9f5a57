// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The run's own clock: run time counted on the desktop's monotonic millisecond
// clock, so that the time of day put back or forward (summer and winter time, a
// stepped clock) never moves it and a run may last longer than a day. The clock
// wraps after about 49 days; differences are taken modulo its range.

#include "MainState.hpp"

namespace zelvo {

// At Running: the run's reference start is now, less the run time already counted
// before a pause.
void StartRunClock(MainState& state);

// Seconds since the run's reference start (the run time while Running).
double RunClockSeconds(const MainState& state);

}  // namespace zelvo
