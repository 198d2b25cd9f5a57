// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CInstallTypePage.hpp"

#include <QButtonGroup>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "PageChecks.hpp"
#include "PageTexts.hpp"
#include "QtText.hpp"

namespace kitforge {
namespace {

QRadioButton* AddOption(QVBoxLayout* layout, QButtonGroup* group, const char* name,
                        const char* text) {
    auto* option = new QRadioButton(Literal(text));
    option->setObjectName(name);
    group->addButton(option);
    auto* row = new QHBoxLayout;
    row->addSpacing(40);
    row->addWidget(option);
    row->addStretch(1);
    layout->addLayout(row);
    return option;
}

}  // namespace

CInstallTypePage::CInstallTypePage(const CWizardData& data)
    : CWizardPage(PageId::InstallType, data) {
    setObjectName("CInstallTypePage");
    RemoveBackButton();
    QVBoxLayout* body = Body();

    QLabel* heading = AddText(body, kInstallTypeHeading);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    body->addSpacing(12);

    AddText(body, kInstallTypeQuestion, 20);
    auto* typeGroup = new QButtonGroup(this);
    m_optVcp = AddOption(body, typeGroup, "optVcp", kVcpOption);
    m_optLinkvane = AddOption(body, typeGroup, "optLinkvane", kLinkvaneOption);
    body->addSpacing(12);

    AddText(body, kOutputKindQuestion, 20);
    auto* kindGroup = new QButtonGroup(this);
    m_optInstaller = AddOption(body, kindGroup, "optInstaller", kInstallerOption);
    m_optInfOnly = AddOption(body, kindGroup, "optInfOnly", kInfOnlyOption);
    body->addStretch(1);

    // clicked, not toggled: only the user's choice loads defaults, not Enter.
    connect(m_optVcp, &QRadioButton::clicked, this, [this] { optVcp_Click(); });
    connect(m_optLinkvane, &QRadioButton::clicked, this, [this] { optLinkvane_Click(); });
    connect(m_optInstaller, &QRadioButton::clicked, this,
            [this] { m_data.m_bGenerateInstaller = 1; });
    connect(m_optInfOnly, &QRadioButton::clicked, this,
            [this] { m_data.m_bGenerateInstaller = 0; });

    Enter();
    FinishPage();
}

void CInstallTypePage::Enter() {
    m_optVcp->setChecked(m_data.m_nInstallType == INSTALL_VCP);
    m_optLinkvane->setChecked(m_data.m_nInstallType == INSTALL_LINKVANE);
    if (m_data.m_bGenerateInstaller != 0) {
        m_optInstaller->setChecked(true);
    } else {
        m_optInfOnly->setChecked(true);
    }
}

void CInstallTypePage::optVcp_Click() {
    ChooseInstallType(m_data, INSTALL_VCP);
}

void CInstallTypePage::optLinkvane_Click() {
    ChooseInstallType(m_data, INSTALL_LINKVANE);
}

void CInstallTypePage::Next() {
    // Without a chosen type the page simply stays; there is no message.
    if (!InstallTypePageComplete(m_data)) return;
    if (!m_optInstaller->isChecked() && !m_optInfOnly->isChecked()) return;
    MoveTo(PageId::Certification);
}

}  // namespace kitforge
