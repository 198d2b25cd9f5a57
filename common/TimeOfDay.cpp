// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TimeOfDay.hpp"

#include <cmath>
#include <cstdint>

#include "Format.hpp"

namespace zelvo {

std::string TimeOfDayText(double seconds, const char* hourPattern) {
    const double whole = std::isfinite(seconds) ? std::floor(seconds) : 0.0;
    auto day = static_cast<int64_t>(std::fmod(whole, kSecondsPerDay));
    if (day < 0) day += static_cast<int64_t>(kSecondsPerDay);
    return FormatNumber(static_cast<double>(day / 3600), hourPattern) + ":" +
           FormatNumber(static_cast<double>(day / 60 % 60), "00") + ":" +
           FormatNumber(static_cast<double>(day % 60), "00");
}

}  // namespace zelvo
