// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "COutputFolderPage.hpp"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "FolderBrowser.hpp"
#include "PageChecks.hpp"
#include "PageFields.hpp"
#include "PageTexts.hpp"
#include "QtText.hpp"

namespace kitforge {

COutputFolderPage::COutputFolderPage(const CWizardData& data)
    : CWizardPage(PageId::OutputFolder, data) {
    setObjectName("COutputFolderPage");
    QVBoxLayout* body = Body();
    body->addSpacing(44);

    AddText(body, kOutputFolderLabel);
    body->addSpacing(4);
    m_txtGenerationDir = NewEdit("txtGenerationDir", limit::kDirectory);
    m_txtGenerationDir->setText(FromRecord(m_data.m_strGenerationDir));
    auto* cmdBrowse = new QPushButton(Literal(kBrowseText));
    cmdBrowse->setObjectName("cmdBrowse");
    auto* row = new QHBoxLayout;
    row->addSpacing(kFieldIndent / 2);
    row->addWidget(m_txtGenerationDir, 1);
    row->addWidget(cmdBrowse);
    body->addLayout(row);
    body->addSpacing(16);
    AddText(body, kOutputFolderNote, kFieldIndent);
    body->addStretch(1);

    connect(cmdBrowse, &QPushButton::clicked, this, [this] { cmdBrowse_Click(); });
    FinishPage();
}

void COutputFolderPage::cmdBrowse_Click() {
    // A cancelled browser keeps what was typed.
    if (const std::optional<QString> chosen = BrowseForFolder(this)) {
        m_txtGenerationDir->setText(*chosen);
    }
    m_txtGenerationDir->setFocus();
}

void COutputFolderPage::Next() {
    // The core checks the name, asks about a missing folder and creates it, showing
    // its own messages; on refusal the record keeps its folder.
    if (!ApplyOutputFolderPage(m_data, Typed(m_txtGenerationDir->text()), PageMove::Next)) return;
    MoveTo(PageId::Summary);
}

void COutputFolderPage::Back() {
    if (!ApplyOutputFolderPage(m_data, Typed(m_txtGenerationDir->text()), PageMove::Back)) return;
    MoveTo(SkipsInstallerPages(m_data) ? PageId::DeviceNames : PageId::InstallerOptions);
}

}  // namespace kitforge
