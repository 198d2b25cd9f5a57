// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Last page: the chosen settings in two columns; Finish writes the package.

#include <QStringList>

#include "CWizardPage.hpp"

class QLabel;
class QPlainTextEdit;

namespace kitforge {

class CSummaryPage : public CWizardPage {
    Q_OBJECT
  public:
    explicit CSummaryPage(const CWizardData& data);

  protected:
    void Next() override;  // Finish
    void Back() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Enter();
    // Shows the values, each shortened in the middle where it is wider than the box.
    void ShowValues();

    QLabel* m_lblLabels = nullptr;
    QPlainTextEdit* m_txtValues = nullptr;
    QStringList m_values;  // whole, one per line
};

}  // namespace kitforge
