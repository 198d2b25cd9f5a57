// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sensor link's one vocabulary: the status codes every sensor operation
// returns, the layout of a reading result and the discovery list. The window's
// row texts, run control and discovery switch on these names.

#include <array>
#include <cstdint>
#include <string>

namespace zelvo {

// Sensor status codes of the whole sensor link.
namespace ZelvoStatus {
inline constexpr int32_t Success = 0;
inline constexpr int32_t Busy = 1;               // another exchange in progress; nothing sent
inline constexpr int32_t CommFailure = 2;        // no reply in 0.1 s
inline constexpr int32_t SensorMinus1 = 3;       // sensor replied -1 to a reading
inline constexpr int32_t SensorMinus2 = 4;       // sensor replied -2 to a reading
inline constexpr int32_t BadArgument = 5;        // argument out of range, reading not convertible
inline constexpr int32_t BadReadingEcho = 6;     // reading reply lacks the "!A" echo
inline constexpr int32_t NotFound = 7;           // serial number unknown, sensor not open or gone
inline constexpr int32_t OutOfLimits = 8;        // frequency outside the crystal limits
inline constexpr int32_t BadEcho = 9;            // revision or period reply lacks its echo
inline constexpr int32_t BadReadingValue = 153;  // sensor replied another value <= 0
}  // namespace ZelvoStatus

// A reading result: rate (A/s), thickness (kA, relative to the zero point),
// frequency (Hz, -1 outside the crystal limits) and crystal life (%).
using ReadingResult = std::array<double, 4>;
inline constexpr size_t kResultRate = 0;
inline constexpr size_t kResultThickness = 1;
inline constexpr size_t kResultFrequency = 2;
inline constexpr size_t kResultLife = 3;

// Most sensors one discovery opens.
inline constexpr int kMaxZelvos = 32;

// Serial numbers found by a discovery: entry i holds the sensor of device record
// i + 1, empty when that record holds none.
using DiscoveryList = std::array<std::string, kMaxZelvos>;

}  // namespace zelvo
