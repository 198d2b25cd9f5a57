// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Creates the window's controls with their names, captions and tool tips, and
// places them at their design rectangles through the resizer.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "Resizer.hpp"

namespace zelvo::qt {

// Font of the window's controls at the design size, points.
inline constexpr double kControlFontPt = 8.0;

class WidgetFactory {
  public:
    WidgetFactory(QWidget* parent, Resizer& resizer) : parent_(parent), resizer_(resizer) {}

    QPushButton* Button(const char* name, const char* caption, QRect design, const char* tip);
    QLabel* Label(const char* name, const char* caption, QRect design, const char* tip = "");
    QLineEdit* Edit(const char* name, QRect design, const char* tip);
    QRadioButton* Option(const char* name, const char* caption, QRect design, const char* tip);
    QCheckBox* Check(const char* name, const char* caption, QRect design, const char* tip);
    QComboBox* List(const char* name, QRect design, const char* tip);
    QGroupBox* Group(const char* name, const char* caption, QRect design);
    QFrame* Frame(const char* name, QRect design);

  private:
    template <class W>
    W* Make(const char* name, QRect design, const char* tip);

    QWidget* parent_;
    Resizer& resizer_;
};

}  // namespace zelvo::qt
