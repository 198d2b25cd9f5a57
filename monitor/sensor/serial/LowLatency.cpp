// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LowLatency.hpp"

#include <linux/serial.h>
#include <sys/ioctl.h>

namespace vdserial {

void RequestLowLatency(int fd) {
    serial_struct serial{};
    // A driver without serial settings refuses to report them: nothing to ask.
    if (::ioctl(fd, TIOCGSERIAL, &serial) != 0) return;
    if ((serial.flags & ASYNC_LOW_LATENCY) != 0) return;
    serial.flags |= ASYNC_LOW_LATENCY;
    // A refusal keeps the driver's own latency; replies still come whole, only
    // later (the read waits for the rest of a line).
    (void)::ioctl(fd, TIOCSSERIAL, &serial);
}

}  // namespace vdserial
