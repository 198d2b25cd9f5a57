// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture column at the left of every page and the program's icon, both
// drawn at run time: the wizard's title written bottom to top in a black frame.

#include <QIcon>
#include <QWidget>

namespace kitforge {

class CWizardBitmap : public QWidget {
  public:
    explicit CWizardBitmap(QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// The application icon: a driver package box with a USB plug.
QIcon WizardIcon();

}  // namespace kitforge
