// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CInstallerNamesPage.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "PageChecks.hpp"
#include "PageFields.hpp"
#include "PageTexts.hpp"
#include "QtText.hpp"

namespace kitforge {

CInstallerNamesPage::CInstallerNamesPage(const CWizardData& data)
    : CWizardPage(PageId::InstallerNames, data) {
    setObjectName("CInstallerNamesPage");
    QVBoxLayout* body = Body();
    body->addSpacing(40);

    AddText(body, kProductNameLabel);
    m_txtProductName = NewEdit("txtProductName", limit::kProductName);
    AddIndented(body, m_txtProductName, kFieldIndent);
    m_lblProductExample = AddText(body, "", kFieldIndent);
    m_lblProductExample->setObjectName("lblProductExample");
    body->addSpacing(24);

    AddText(body, kInstallerNameLabel);
    m_txtInstallerName = NewEdit("txtInstallerName", limit::kInstallerName);
    AddIndented(body, m_txtInstallerName, kFieldIndent);
    m_lblInstallerExample = AddText(body, "", kFieldIndent);
    m_lblInstallerExample->setObjectName("lblInstallerExample");
    body->addStretch(1);

    Enter();
    FinishPage();
}

void CInstallerNamesPage::Enter() {
    const bool vcp = m_data.m_nInstallType == INSTALL_VCP;
    m_txtProductName->setText(FromRecord(m_data.m_strProductName));
    m_txtInstallerName->setText(FromRecord(m_data.m_strInstallerName));
    m_lblProductExample->setText(Literal(vcp ? kVcpProductExample : kLinkvaneProductExample));
    m_lblInstallerExample->setText(Literal(vcp ? kVcpInstallerExample : kLinkvaneInstallerExample));
}

void CInstallerNamesPage::Next() {
    const InstallerNameFields typed{Typed(m_txtProductName->text()),
                                    Typed(m_txtInstallerName->text())};
    if (!ShowPageMessage(ApplyInstallerNamesPage(m_data, typed, PageMove::Next))) return;
    MoveTo(PageId::InstallerOptions);
}

void CInstallerNamesPage::Back() {
    const InstallerNameFields typed{Typed(m_txtProductName->text()),
                                    Typed(m_txtInstallerName->text())};
    if (!ShowPageMessage(ApplyInstallerNamesPage(m_data, typed, PageMove::Back))) return;
    MoveTo(PageId::DeviceNames);
}

}  // namespace kitforge
