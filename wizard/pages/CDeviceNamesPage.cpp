// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDeviceNamesPage.hpp"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "PageChecks.hpp"
#include "PageFields.hpp"
#include "PageTexts.hpp"
#include "QtText.hpp"

namespace kitforge {

CDeviceNamesPage::CDeviceNamesPage(const CWizardData& data)
    : CWizardPage(PageId::DeviceNames, data) {
    setObjectName("CDeviceNamesPage");
    QVBoxLayout* body = Body();
    body->addSpacing(40);

    AddText(body, kUsbDeviceNameLabel);
    m_txtUsbDeviceName = NewEdit("txtUsbDeviceName", limit::kDeviceName);
    AddIndented(body, m_txtUsbDeviceName, kFieldIndent);
    m_lblUsbExample = AddText(body, "", kFieldIndent);
    m_lblUsbExample->setObjectName("lblUsbExample");
    body->addSpacing(24);

    m_lblComDeviceName = AddText(body, kComDeviceNameLabel);
    m_lblComDeviceName->setObjectName("lblComDeviceName");
    m_txtComDeviceName = NewEdit("txtComDeviceName", limit::kDeviceName);
    AddIndented(body, m_txtComDeviceName, kFieldIndent);
    m_lblComExample = AddText(body, kComDeviceExample, kFieldIndent);
    m_lblComExample->setObjectName("lblComExample");
    body->addStretch(1);

    Enter();
    FinishPage();
}

void CDeviceNamesPage::Enter() {
    const bool vcp = m_data.m_nInstallType == INSTALL_VCP;
    m_txtUsbDeviceName->setText(FromRecord(m_data.m_strUsbDeviceName));
    m_txtComDeviceName->setText(FromRecord(m_data.m_strComDeviceName));
    m_lblUsbExample->setText(Literal(vcp ? kVcpUsbDeviceExample : kLinkvaneUsbDeviceExample));
    // The Linkvane set has no COM port; its hidden field keeps the record's "-".
    m_lblComDeviceName->setVisible(vcp);
    m_txtComDeviceName->setVisible(vcp);
    m_lblComExample->setVisible(vcp);
}

void CDeviceNamesPage::Next() {
    const DeviceNameFields typed{Typed(m_txtUsbDeviceName->text()),
                                 Typed(m_txtComDeviceName->text())};
    if (!ShowPageMessage(ApplyDeviceNamesPage(m_data, typed, PageMove::Next))) return;
    MoveTo(SkipsInstallerPages(m_data) ? PageId::OutputFolder : PageId::InstallerNames);
}

void CDeviceNamesPage::Back() {
    const DeviceNameFields typed{Typed(m_txtUsbDeviceName->text()),
                                 Typed(m_txtComDeviceName->text())};
    if (!ShowPageMessage(ApplyDeviceNamesPage(m_data, typed, PageMove::Back))) return;
    MoveTo(PageId::Company);
}

}  // namespace kitforge
