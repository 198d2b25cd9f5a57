// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CInstallerOptionsPage.hpp"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "Desktop.hpp"
#include "PageFields.hpp"
#include "PageTexts.hpp"
#include "QtText.hpp"

namespace kitforge {
namespace {

constexpr int kHelpButtonSize = 22;

// A "?" button that shows `help` in an OK box without icon, then `control` beside it.
void AddHelpRow(QWidget* owner, QVBoxLayout* layout, const char* name, const char* help,
                QWidget* control) {
    auto* button = new QPushButton(Literal(kHelpButtonText));
    button->setObjectName(name);
    button->setFixedSize(kHelpButtonSize, kHelpButtonSize);
    QObject::connect(button, &QPushButton::clicked, owner, [help] {
        // An OK box has one answer; there is nothing to act on.
        zelvo::Desktop().MessageBox(help, kProgramName, zelvo::MsgButtons::OK,
                                    zelvo::MsgIcon::None);
    });
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(button);
    row->addWidget(control);
    row->addStretch(1);
    layout->addLayout(row);
}

QCheckBox* NewCheckBox(const char* name, const char* text) {
    auto* box = new QCheckBox(Literal(text));
    box->setObjectName(name);
    return box;
}

}  // namespace

CInstallerOptionsPage::CInstallerOptionsPage(const CWizardData& data)
    : CWizardPage(PageId::InstallerOptions, data) {
    setObjectName("CInstallerOptionsPage");
    QVBoxLayout* body = Body();

    auto* installer = new QGroupBox(Literal(kInstallerOptionsGroup));
    auto* installerRows = new QVBoxLayout(installer);
    m_chkDisplayInstall = NewCheckBox("chkDisplayInstall", kDisplayInstallOption);
    AddHelpRow(this, installerRows, "cmdHelpDisplayInstall", kDisplayInstallHelp,
               m_chkDisplayInstall);
    m_chkCopyFiles = NewCheckBox("chkCopyFiles", kCopyFilesOption);
    AddHelpRow(this, installerRows, "cmdHelpCopyFiles", kCopyFilesHelp, m_chkCopyFiles);
    AddHelpRow(this, installerRows, "cmdHelpTargetDir", kTargetDirHelp,
               new QLabel(Literal(kTargetDirLabel)));
    const int indent = kHelpButtonSize + 8 + kFieldIndent;
    m_txtTargetDir = NewEdit("txtTargetDir", limit::kDirectory);
    AddIndented(installerRows, m_txtTargetDir, indent);
    AddText(installerRows, kTargetDirExample, indent);
    body->addWidget(installer);
    body->addSpacing(6);

    auto* uninstaller = new QGroupBox(Literal(kUninstallerOptionsGroup));
    auto* uninstallerRows = new QVBoxLayout(uninstaller);
    m_chkDisplayUninstall = NewCheckBox("chkDisplayUninstall", kDisplayUninstallOption);
    AddHelpRow(this, uninstallerRows, "cmdHelpDisplayUninstall", kDisplayUninstallHelp,
               m_chkDisplayUninstall);
    m_chkRemoveFiles = NewCheckBox("chkRemoveFiles", kRemoveFilesOption);
    AddHelpRow(this, uninstallerRows, "cmdHelpRemoveFiles", kRemoveFilesHelp, m_chkRemoveFiles);
    body->addWidget(uninstaller);
    body->addStretch(1);

    Enter();
    FinishPage();
}

void CInstallerOptionsPage::Enter() {
    // The display boxes show the inverse of the quiet flags.
    const InstallerOptionFields shown = InstallerOptionsOf(m_data);
    m_chkDisplayInstall->setChecked(shown.displayInstall);
    m_chkCopyFiles->setChecked(shown.copyFiles);
    m_txtTargetDir->setText(FromRecord(m_data.m_strTargetDir));
    m_chkDisplayUninstall->setChecked(shown.displayUninstall);
    m_chkRemoveFiles->setChecked(shown.removeFiles);
}

InstallerOptionFields CInstallerOptionsPage::Read() const {
    InstallerOptionFields typed;
    typed.displayInstall = m_chkDisplayInstall->isChecked();
    typed.copyFiles = m_chkCopyFiles->isChecked();
    typed.targetDir = Typed(m_txtTargetDir->text());
    typed.displayUninstall = m_chkDisplayUninstall->isChecked();
    typed.removeFiles = m_chkRemoveFiles->isChecked();
    return typed;
}

void CInstallerOptionsPage::Next() {
    if (!ShowPageMessage(ApplyInstallerOptionsPage(m_data, Read(), PageMove::Next))) return;
    MoveTo(PageId::OutputFolder);
}

void CInstallerOptionsPage::Back() {
    if (!ShowPageMessage(ApplyInstallerOptionsPage(m_data, Read(), PageMove::Back))) return;
    MoveTo(PageId::InstallerNames);
}

}  // namespace kitforge
