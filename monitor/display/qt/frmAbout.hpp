// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// frmAbout, the about box: product name, version with the program file's date,
// legal notice, operating system, program folder and OK.

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <map>

namespace zelvo::qt {

class frmAbout : public QDialog {
  public:
    explicit frmAbout(QWidget* parent);
    // Fills the texts and shows the box without making it modal.
    void Load();
    // lblAbout(index) for the elements 0, 1, 2, 7 and 9.
    QLabel* lblAbout(int index) const { return labels_.at(index); }
    QPushButton* cmdOK;

  private:
    std::map<int, QLabel*> labels_;
};

}  // namespace zelvo::qt
