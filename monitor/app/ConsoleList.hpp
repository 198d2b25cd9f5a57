// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zelvomon-cli --list: the sensors on the bus and the channels of the current setup
// file they are assigned to. Nothing is started, sent, asked or written: the setup
// file, the data log and the run number stay as they are.

#include <ostream>

namespace zelvo::cli {

// One line per sensor on `out` (serial number, product ID, port, channel), then the
// displayed channels whose sensor is missing. Sensors busy in another program are
// named on `err`; the result is then 1, else 0.
int ListSensors(std::ostream& out, std::ostream& err);

}  // namespace zelvo::cli
