// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CCompanyPage.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "PageFields.hpp"
#include "PageTexts.hpp"
#include "QtText.hpp"

namespace kitforge {
namespace {

constexpr int kNameWidth = 200;
constexpr int kIdWidth = 64;

}  // namespace

CCompanyPage::CCompanyPage(const CWizardData& data) : CWizardPage(PageId::Company, data) {
    setObjectName("CCompanyPage");
    QVBoxLayout* body = Body();

    AddText(body, kCompanyNameLabel);
    m_txtCompanyName = NewEdit("txtCompanyName");
    AddIndented(body, m_txtCompanyName, kFieldIndent, kNameWidth);
    AddText(body, kCompanyNameExample, kFieldIndent);
    body->addSpacing(8);

    AddText(body, kAbbreviationLabel);
    m_txtAbbreviation = NewEdit("txtAbbreviation", limit::kAbbreviation);
    AddIndented(body, m_txtAbbreviation, kFieldIndent, kNameWidth);
    AddText(body, kAbbreviationExample, kFieldIndent);
    body->addSpacing(8);

    m_lblInfName = AddText(body, "");
    m_lblInfName->setObjectName("lblInfName");
    m_txtInfName = NewEdit("txtInfName", InfPrefixLimit(m_data.m_nInstallType));
    AddIndented(body, m_txtInfName, kFieldIndent, kNameWidth);
    m_lblInfExample = AddText(body, "", kFieldIndent);
    m_lblInfExample->setObjectName("lblInfExample");
    body->addSpacing(8);

    // VID and PID side by side, each with its label above and example below.
    auto* ids = new QGridLayout;
    ids->setContentsMargins(0, 0, 0, 0);
    ids->setHorizontalSpacing(14);
    ids->setVerticalSpacing(4);
    auto* upperCase = new UpperCaseValidator(this);
    m_txtVid = NewEdit("txtVid", limit::kVidPid);
    m_txtPid = NewEdit("txtPid", limit::kVidPid);
    m_lblPidExample = new QLabel;
    m_lblPidExample->setObjectName("lblPidExample");
    const struct {
        const char* label;
        QLineEdit* edit;
        QLabel* example;
    } columns[] = {{kVidLabel, m_txtVid, new QLabel(Literal(kVidExample))},
                   {kPidLabel, m_txtPid, m_lblPidExample}};
    int column = 0;
    for (const auto& c : columns) {
        c.edit->setValidator(upperCase);
        c.edit->setFixedWidth(kIdWidth);
        ids->addWidget(new QLabel(Literal(c.label)), 0, column, 1, 2);
        ids->addWidget(c.edit, 1, column + 1);
        ids->addWidget(c.example, 2, column + 1);
        column += 2;
    }
    // Empty columns 0 and 2 indent each field below its label.
    ids->setColumnMinimumWidth(0, kFieldIndent - ids->horizontalSpacing());
    ids->setColumnMinimumWidth(2, kFieldIndent - ids->horizontalSpacing());
    ids->setColumnStretch(4, 1);
    body->addLayout(ids);
    body->addStretch(1);

    Enter();
    FinishPage();
}

void CCompanyPage::Enter() {
    const bool vcp = m_data.m_nInstallType == INSTALL_VCP;
    m_txtCompanyName->setText(FromRecord(m_data.m_strCompanyName));
    m_txtAbbreviation->setText(FromRecord(m_data.m_strAbbreviation));
    m_lblInfName->setText(Literal(vcp ? kVcpInfLabel : kLinkvaneInfLabel));
    m_txtInfName->setText(FromRecord(m_data.m_strInfPrefix));
    m_lblInfExample->setText(Literal(vcp ? kVcpInfExample : kLinkvaneInfExample));
    m_txtVid->setText(FromRecord(m_data.m_strVid));
    m_txtPid->setText(FromRecord(m_data.m_strPid));
    m_lblPidExample->setText(Literal(vcp ? kVcpPidExample : kLinkvanePidExample));
}

CompanyFields CCompanyPage::Read() const {
    return {Typed(m_txtCompanyName->text()), Typed(m_txtAbbreviation->text()),
            Typed(m_txtInfName->text()), Typed(m_txtVid->text()), Typed(m_txtPid->text())};
}

void CCompanyPage::Next() {
    if (!ShowPageMessage(ApplyCompanyPage(m_data, Read(), PageMove::Next))) return;
    MoveTo(PageId::DeviceNames);
}

void CCompanyPage::Back() {
    if (!ShowPageMessage(ApplyCompanyPage(m_data, Read(), PageMove::Back))) return;
    MoveTo(PageId::Certification);
}

}  // namespace kitforge
