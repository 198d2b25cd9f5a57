// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Seventh page: the folder the package is generated in, typed or browsed for.

#include "CWizardPage.hpp"

class QLineEdit;

namespace kitforge {

class COutputFolderPage : public CWizardPage {
    Q_OBJECT
  public:
    explicit COutputFolderPage(const CWizardData& data);

  protected:
    void Next() override;
    void Back() override;

  private:
    void cmdBrowse_Click();

    QLineEdit* m_txtGenerationDir = nullptr;
};

}  // namespace kitforge
