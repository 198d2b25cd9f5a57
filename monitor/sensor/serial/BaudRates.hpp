// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The standard line rates of a termios port, as numbers of bits per second.

#include <termios.h>

#include <cstdint>
#include <optional>

namespace vdserial {

// The termios speed for a rate in bits per second; empty for a rate that is not
// one of the standard ones.
std::optional<speed_t> SpeedForRate(int32_t bitsPerSecond);
// The rate of a termios speed; 0 for B0 or an unknown speed.
int32_t RateForSpeed(speed_t speed);

}  // namespace vdserial
