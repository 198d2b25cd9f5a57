// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Second page: the warning that a customised driver set loses its certification.

#include "CWizardPage.hpp"

namespace kitforge {

class CCertificationPage : public CWizardPage {
    Q_OBJECT
  public:
    explicit CCertificationPage(const CWizardData& data);

  protected:
    void Next() override;
    void Back() override;
};

}  // namespace kitforge
