// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The setup panel fraSetup with its four frames: DataLog, Measurement, Display
// and Zelvos (with the assignment grid).

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "Grids.hpp"
#include "Resizer.hpp"

namespace zelvo::qt {

class SetupPanel {
  public:
    SetupPanel(QWidget* host, Resizer& resizer);

    QFrame* fraSetup;
    // DataLog.
    QGroupBox* fraFile;
    std::array<QRadioButton*, 3> optLogType{};
    QPushButton* cmdView;
    QPushButton* cmdSelect;
    QLabel* lblFileName;
    // Measurement.
    QGroupBox* fraInit;
    QLineEdit* txtPeriod;
    QLabel* lblPeriod;
    QLabel* lblSeconds;
    QLabel* lblCrystal;
    std::array<QLabel*, 3> lblInit{};
    std::array<QLineEdit*, 3> txtInit{};
    // Display.
    QGroupBox* fraDisplay;
    std::array<QRadioButton*, 3> optUnits{};
    QLineEdit* txtFilter;
    QComboBox* cboRate;
    QComboBox* cboRows;
    QCheckBox* chkLock;
    QCheckBox* chkOnTop;
    // Zelvos.
    QGroupBox* fraZelvo;
    QPushButton* cmdFind;
    AssignmentGrid* grdSN;

  private:
    void BuildFile(Resizer& resizer);
    void BuildInit(Resizer& resizer);
    void BuildDisplay(Resizer& resizer);
    void BuildZelvo(Resizer& resizer);
};

}  // namespace zelvo::qt
