// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The run bar along the top of the main window: the start/stop and pause buttons,
// run time, run number, the data-log switch, the date and time, and the line
// under it.

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "MainView.hpp"
#include "Resizer.hpp"

namespace zelvo::qt {

class RunBar : public IRunBar {
  public:
    RunBar(QWidget* host, Resizer& resizer);

    void SetButtonCaption(int index, const std::string& caption) override;
    void SetButtonBackColor(int index, Rgb color) override;
    void SetButtonVisible(int index, bool visible) override;
    void FocusButton(int index) override;
    void SetRunNumberText(const std::string& text) override;
    void SetRunTimeText(const std::string& text) override;
    void SetClockText(const std::string& dateText, const std::string& timeText) override;

    // Line1 across the host's whole width.
    void StretchLine(int designWidth);

    std::array<QPushButton*, 2> cmdFSwitch{};
    QLabel* lblTimeLabel;
    QLabel* lblTime;
    QLabel* lblRunLabel;
    QLineEdit* txtRun;
    QFrame* fraDataLog;
    std::array<QRadioButton*, 2> optLog{};
    QLabel* lblDateTime;
    QLabel* lblDate;
    QFrame* Line1;

  private:
    Resizer& resizer_;
};

}  // namespace zelvo::qt
