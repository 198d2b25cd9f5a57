// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Third page: company name and abbreviation, INF file name, VID and PID.

#include "CWizardPage.hpp"
#include "PageChecks.hpp"

class QLabel;
class QLineEdit;

namespace kitforge {

class CCompanyPage : public CWizardPage {
    Q_OBJECT
  public:
    explicit CCompanyPage(const CWizardData& data);

  protected:
    void Next() override;
    void Back() override;

  private:
    void Enter();
    CompanyFields Read() const;

    QLineEdit* m_txtCompanyName = nullptr;
    QLineEdit* m_txtAbbreviation = nullptr;
    QLabel* m_lblInfName = nullptr;
    QLineEdit* m_txtInfName = nullptr;
    QLabel* m_lblInfExample = nullptr;
    QLineEdit* m_txtVid = nullptr;
    QLineEdit* m_txtPid = nullptr;
    QLabel* m_lblPidExample = nullptr;
};

}  // namespace kitforge
