// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The console's sweep timer: deadlines follow each other at the interval, from
// deadline to deadline, so that the work of a sweep does not push the next one
// back (as a window timer keeps its rhythm). A sweep that comes a whole interval
// late is not made up for with a burst: the deadlines start again from then.

#include <cstdint>

namespace zelvo::cli {

class SweepClock {
  public:
    // The first deadline is one interval after `nowMs` (the millisecond clock).
    SweepClock(uint32_t nowMs, int intervalMs) : deadline_(nowMs + Interval(intervalMs)) {}

    // Milliseconds to wait at `nowMs` until the next deadline, 0 when it has passed.
    int WaitMs(uint32_t nowMs) const {
        const auto ahead = static_cast<int32_t>(deadline_ - nowMs);
        return ahead > 0 ? ahead : 0;
    }

    // The sweep of the current deadline starts at `nowMs`: the next deadline follows
    // it by `intervalMs` (the interval in force now).
    void Advance(uint32_t nowMs, int intervalMs) {
        deadline_ += Interval(intervalMs);
        if (static_cast<int32_t>(nowMs - deadline_) >= 0) deadline_ = nowMs + Interval(intervalMs);
    }

  private:
    static uint32_t Interval(int intervalMs) {
        return intervalMs > 0 ? static_cast<uint32_t>(intervalMs) : 1u;
    }
    uint32_t deadline_;
};

}  // namespace zelvo::cli
