// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the link to the broker reads in the window's status area.

#include <string>

#include "SweepPublishing.hpp"

namespace zelvo {

struct LinkStatusLine {
    std::string text;
    std::string tip;  // the reason; empty when there is none
};

// "MQTT: off", or the state and the four counts:
// "MQTT: connected · 120 made, 118 delivered, 0 dropped, 2 waiting".
// The tip: why a failing or reconnecting link is so, or why publishing is off
// although the setup file turns it on (offReason).
LinkStatusLine DescribeLink(const LinkStatus& status, const std::string& offReason);

}  // namespace zelvo
