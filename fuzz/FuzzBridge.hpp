// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Control entry points of the fuzzing bridge library (libzelvo-fuzz-bridge.so),
// reached with dlsym on the handle the monitor's binding opened.
#include <stddef.h>
#include <stdint.h>

extern "C" {
// A fresh bus of `devices` sensors whose serial numbers are chosen by `serials`
// (one byte per device: FZ0001 to FZ0004, fz0001 in lower case, or none, so that
// numbers can repeat or differ in letter case) and whose reads deliver
// `replies`: each read takes a length byte, then that many bytes (fewer at the
// end); a length byte of 255 makes the read fail as a device that is gone, and
// an exhausted script reads nothing.
typedef void (*FuzzBridgeResetFn)(int32_t devices, const uint8_t* serials, const uint8_t* replies,
                                  size_t size);
// Calls that used a handle which was not open since the last reset, with the
// first such call's name in `what` (64 bytes).
typedef int32_t (*FuzzBridgeMisuseFn)(char* what);
}
