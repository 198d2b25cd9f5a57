// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sixth page: how the generated installer and uninstaller behave, each option
// with a "?" button that explains it.

#include "CWizardPage.hpp"
#include "PageChecks.hpp"

class QCheckBox;
class QLineEdit;

namespace kitforge {

class CInstallerOptionsPage : public CWizardPage {
    Q_OBJECT
  public:
    explicit CInstallerOptionsPage(const CWizardData& data);

  protected:
    void Next() override;
    void Back() override;

  private:
    void Enter();
    InstallerOptionFields Read() const;

    QCheckBox* m_chkDisplayInstall = nullptr;
    QCheckBox* m_chkCopyFiles = nullptr;
    QLineEdit* m_txtTargetDir = nullptr;
    QCheckBox* m_chkDisplayUninstall = nullptr;
    QCheckBox* m_chkRemoveFiles = nullptr;
};

}  // namespace kitforge
