// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader is told of the main window: every control a person can
// reach by a name (its caption, the label beside it or its frame's title, with
// its tool tip as description), grid cells by their row and column headers, and
// the run state and the current row's readings as they change, at most once a
// second so that a fast sweep does not drown the speech.

#include <QString>
#include <cstdint>

class QTableWidget;
class QWidget;

namespace zelvo::qt {

// Labels become the buddies of the boxes and lists beside them; the grids take
// names; a control still without a name takes its tool tip (icon buttons).
void NameControls(QWidget* window);
// The same last step alone, for dialogs built elsewhere.
void NameControlsFromToolTips(QWidget* root);

// "Sensor 3, Rate (A/s)": a cell's name from its row and column headers.
QString CellName(const QTableWidget& grid, int row, int column);

class ReadingsNews {
  public:
    // The readings grid whose row is told, and the grid whose current row chooses it.
    ReadingsNews(QTableWidget* readings, const QTableWidget* chooser);
    // After each tick: the run state and the current row's readings, told through
    // the readings grid's description when they changed and a second has passed.
    void Update(int16_t runMode, uint32_t nowMs);

  private:
    QString Text(int16_t runMode) const;

    QTableWidget* readings_;
    const QTableWidget* chooser_;
    QString told_;
    uint32_t toldAtMs_ = 0;
    bool toldOnce_ = false;
};

}  // namespace zelvo::qt
