// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CWizardController.hpp"

#include "CCertificationPage.hpp"
#include "CCompanyPage.hpp"
#include "CDeviceNamesPage.hpp"
#include "CInstallTypePage.hpp"
#include "CInstallerNamesPage.hpp"
#include "CInstallerOptionsPage.hpp"
#include "COutputFolderPage.hpp"
#include "CSummaryPage.hpp"

namespace kitforge {

std::unique_ptr<CWizardPage> CreatePage(PageId id, const CWizardData& data) {
    switch (id) {
        case PageId::InstallType:
            return std::make_unique<CInstallTypePage>(data);
        case PageId::Certification:
            return std::make_unique<CCertificationPage>(data);
        case PageId::Company:
            return std::make_unique<CCompanyPage>(data);
        case PageId::DeviceNames:
            return std::make_unique<CDeviceNamesPage>(data);
        case PageId::InstallerNames:
            return std::make_unique<CInstallerNamesPage>(data);
        case PageId::InstallerOptions:
            return std::make_unique<CInstallerOptionsPage>(data);
        case PageId::OutputFolder:
            return std::make_unique<COutputFolderPage>(data);
        case PageId::Summary:
            return std::make_unique<CSummaryPage>(data);
    }
    return std::make_unique<CInstallTypePage>(data);
}

CWizardController::CWizardController(const CWizardData& start) : m_start(start) {}

CWizardController::~CWizardController() = default;

void CWizardController::Start() {
    Show(PageId::InstallType, m_start, std::nullopt);
}

void CWizardController::Show(PageId id, const CWizardData& data, std::optional<QRect> where) {
    std::unique_ptr<CWizardPage> page = CreatePage(id, data);
    connect(page.get(), &QDialog::finished, this, &CWizardController::PageClosed);
    // The new page takes the place and size of the one it replaces. The client
    // area is what a window asks for before it is shown: a frame position given
    // there would put the client area where the frame was, and each page would
    // creep up by the title bar under a window manager that adds the frame later.
    if (where) page->setGeometry(*where);
    // The closing page is still inside its own handler: delete it once that returns.
    if (m_page) m_page.release()->deleteLater();
    m_page = std::move(page);
    m_page->show();
    m_page->activateWindow();
}

void CWizardController::PageClosed(int result) {
    CWizardPage* closed = m_page.get();
    const std::optional<PageId> target = closed->Target();
    if (target) {
        Show(*target, closed->Data(), closed->geometry());
        return;
    }
    m_completed = result == QDialog::Accepted;
    m_page.release()->deleteLater();
    emit Ended();
}

}  // namespace kitforge
