// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CCertificationPage.hpp"

#include <QLabel>
#include <QVBoxLayout>

#include "PageTexts.hpp"

namespace kitforge {

CCertificationPage::CCertificationPage(const CWizardData& data)
    : CWizardPage(PageId::Certification, data) {
    setObjectName("CCertificationPage");
    QVBoxLayout* body = Body();
    body->setContentsMargins(40, 0, 30, 0);
    body->setSpacing(12);
    AddText(body, kCertificationWarning);
    AddText(body, kCertificationReseller);
    AddText(body, kCertificationNote);
    QLabel* moreInfo = AddText(body, kCertificationMoreInfo);
    // The addresses can be selected and copied.
    moreInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    body->addStretch(1);
    FinishPage();
}

void CCertificationPage::Next() {
    MoveTo(PageId::Company);
}

void CCertificationPage::Back() {
    MoveTo(PageId::InstallType);
}

}  // namespace kitforge
