// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkStatusText.hpp"

namespace zelvo {
namespace {

const char* StateWord(LinkState state) {
    switch (state) {
        case LinkState::Off:
            return "off";
        case LinkState::Connecting:
            return "connecting";
        case LinkState::Connected:
            return "connected";
        case LinkState::Reconnecting:
            return "reconnecting";
        case LinkState::Failing:
            return "failing";
    }
    return "unknown";
}

}  // namespace

LinkStatusLine DescribeLink(const LinkStatus& status, const std::string& offReason) {
    if (status.state == LinkState::Off)
        return {"MQTT: off", offReason.empty() ? "" : "MQTT publishing is off: " + offReason};
    const PublishCounts& n = status.counts;
    return {std::string("MQTT: ") + StateWord(status.state) + " \xC2\xB7 " +
                std::to_string(n.made) + " made, " + std::to_string(n.delivered) + " delivered, " +
                std::to_string(n.dropped) + " dropped, " + std::to_string(n.undelivered) +
                " waiting",
            status.reason};
}

}  // namespace zelvo
