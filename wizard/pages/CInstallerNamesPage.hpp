// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fifth page: the product name of the installed driver set and the installer
// program's file name.

#include "CWizardPage.hpp"

class QLabel;
class QLineEdit;

namespace kitforge {

class CInstallerNamesPage : public CWizardPage {
    Q_OBJECT
  public:
    explicit CInstallerNamesPage(const CWizardData& data);

  protected:
    void Next() override;
    void Back() override;

  private:
    void Enter();

    QLineEdit* m_txtProductName = nullptr;
    QLabel* m_lblProductExample = nullptr;
    QLineEdit* m_txtInstallerName = nullptr;
    QLabel* m_lblInstallerExample = nullptr;
};

}  // namespace kitforge
