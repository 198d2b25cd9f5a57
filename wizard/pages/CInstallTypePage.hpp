// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// First page: which driver set, and whether an installer program is built.

#include "CWizardPage.hpp"

class QRadioButton;

namespace kitforge {

class CInstallTypePage : public CWizardPage {
    Q_OBJECT
  public:
    explicit CInstallTypePage(const CWizardData& data);

  protected:
    void Next() override;

  private:
    void Enter();
    void optVcp_Click();
    void optLinkvane_Click();

    QRadioButton* m_optVcp = nullptr;
    QRadioButton* m_optLinkvane = nullptr;
    QRadioButton* m_optInstaller = nullptr;
    QRadioButton* m_optInfOnly = nullptr;
};

}  // namespace kitforge
