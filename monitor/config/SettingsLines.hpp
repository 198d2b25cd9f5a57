// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The setup-file keys of several fields: the crystal limits (Freq), the
// sensor lines (Sensor 1 ... Sensor 8) and their supervision lines ([Targets]).

#include <optional>
#include <string>

#include "SettingsKeys.hpp"

namespace zelvo {

// Freq: maximum, minimum and initial crystal frequency. Each must lie between
// 1 MHz and 30 MHz and minimum <= initial <= maximum; a value that does not keeps
// what it had, and the key's failure is reported.
void ReadCrystalLimits(KeyReading& reading);

// Sensor n: name; density; Z factor; tooling; serial number, scaled by the layout.
void ReadSensorLine(KeyReading& reading);

// The channel's sensor line in the written layout, or the reason it would not
// read back whole (a name or serial number holding the separator, a line break
// or quotes, or a line beyond the value limit).
std::optional<ZelvoError> WriteSensorLine(const MainState& state, size_t channel,
                                          std::string& text);

// [Targets] Sensor n: target; margin; life warning %; quality level; stability
// threshold Hz; stability alarm Hz. A missing line (a file of an older program) turns
// every check off, as does an empty or missing field; a field that is no number or out
// of its range keeps what it had.
void ReadTargetsLine(KeyReading& reading);
std::optional<ZelvoError> WriteTargetsLine(const MainState& state, size_t channel,
                                           std::string& text);

}  // namespace zelvo
