// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Low-latency mode of a serial port, where its driver offers it.

namespace vdserial {

// Asks the driver of the open terminal `fd` to hand received bytes on at once
// rather than in batches (a USB-serial driver then lowers its bridge's latency
// timer). Best effort: a driver without the mode (a pseudo-terminal) or one that
// refuses it leaves the port as it was, and the port works all the same.
void RequestLowLatency(int fd);

}  // namespace vdserial
