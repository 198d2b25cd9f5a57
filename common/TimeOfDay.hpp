// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seconds-since-midnight clock of both timers and the data log: elapsed time
// across one midnight and the time-of-day text.

#include <string>

namespace zelvo {

inline constexpr double kSecondsPerDay = 86400.0;

// Seconds from start to now on the seconds-since-midnight clock: when start is
// later than now, the clock passed midnight once. Computed in the precision of T
// (the run clock counts in single precision, the data log in double).
template <class T>
T SecondsAcrossMidnight(T start, T now) {
    if (start > now) now += static_cast<T>(kSecondsPerDay);
    return now - start;
}

// Whole seconds of a time of day as "<hours>:mm:ss", the hours in hourPattern
// ("0" for 7:05:09, "00" for 07:05:09); whole days are dropped, a value that is
// not a number counts as midnight.
std::string TimeOfDayText(double seconds, const char* hourPattern);

}  // namespace zelvo
