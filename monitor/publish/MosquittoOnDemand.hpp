// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The MQTT client library is loaded when publishing first calls it, not with the
// program: a monitor that never publishes never maps it, nor the TLS library it
// brings (about 1.8 MiB resident). The monitor's calls of the library's functions
// go through forwarders of the same names that find the real ones at their first
// call; a library that cannot be loaded makes them fail with the library's errors.

#include <string>

namespace zelvo {

// Why the MQTT client library or one of its functions could not be loaded; empty
// while nothing failed.
std::string MosquittoLoadFailure();

}  // namespace zelvo
