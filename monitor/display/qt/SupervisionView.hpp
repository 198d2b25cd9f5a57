// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Supervision in the window: after each sweep, a channel with a raised event shows
// its name in the warning colour until a Start or a Zero clears its events, and
// each new event is said once in the status area with one beep.

#include <QLabel>
#include <QMainWindow>

#include "MainState.hpp"
#include "MonitorGrid.hpp"

namespace zelvo::qt {

class SupervisionView {
  public:
    SupervisionView(QMainWindow& window, MonitorGrid& readings);

    // `runTime` in seconds, for the status line.
    void AfterSweep(const MainState& state, double runTime);

    QLabel* lblEvents;

  private:
    void Mark(int row, bool warned);

    MonitorGrid& readings_;
};

}  // namespace zelvo::qt
