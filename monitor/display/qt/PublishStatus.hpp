// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's status area: a status bar below every control of the layout, with
// the link to the MQTT broker and the counts of its messages (LinkStatusText), the
// reason as the tool tip.

#include <QLabel>
#include <QMainWindow>

#include "SweepPublishing.hpp"

namespace zelvo::qt {

class PublishStatus {
  public:
    // Gives the window its status bar, "MQTT: off" until the first sweep.
    explicit PublishStatus(QMainWindow& window);

    void Show(const LinkStatus& status, const std::string& offReason);

    QLabel* lblMqtt;
};

}  // namespace zelvo::qt
