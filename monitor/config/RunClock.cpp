// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunClock.hpp"

#include <cmath>

#include "Desktop.hpp"

namespace zelvo {

void StartRunClock(MainState& state) {
    const auto counted = static_cast<uint32_t>(std::llround(state.PausedElapsed * 1000.0));
    state.RunStartMs = Desktop().Milliseconds() - counted;
}

double RunClockSeconds(const MainState& state) {
    return static_cast<double>(Desktop().Milliseconds() - state.RunStartMs) / 1000.0;
}

}  // namespace zelvo
