// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The common frame of the wizard's pages: caption, icon, the drawn picture column
// at the left, the page's own area, and the buttons "Cancel", "< Back" and
// "Next >" (the default button). Enter presses the push button that has the focus
// (a "?" or "Browse..." button too), on any other control the default button. Each
// page holds its own copy of the record; when
// the user moves on or back the page closes and names the page to open next, which
// the wizard then builds from a copy of this page's record.

#include <QDialog>
#include <optional>

#include "CWizardData.hpp"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace kitforge {

enum class PageId {
    InstallType,
    Certification,
    Company,
    DeviceNames,
    InstallerNames,
    InstallerOptions,
    OutputFolder,
    Summary
};

class CWizardPage : public QDialog {
    Q_OBJECT
  public:
    CWizardPage(PageId id, const CWizardData& data);

    PageId Id() const { return m_id; }
    const CWizardData& Data() const { return m_data; }
    // The page the user moved to when this page closed; empty after Cancel or a
    // successful Finish, which end the wizard.
    std::optional<PageId> Target() const { return m_target; }

  protected:
    // The area right of the picture column and above the buttons.
    QVBoxLayout* Body() const { return m_body; }
    // The first page has no Back button.
    void RemoveBackButton();
    // The summary page's default button reads "Finish".
    void SetNextText(const char* text);
    // Called at the end of each page's constructor: the keyboard visits the page's
    // own controls in the order they were added, then Cancel, Back and Next; the
    // first control has the focus.
    void FinishPage();
    // Closes the page; the wizard opens `target` with this page's record.
    void MoveTo(PageId target);
    // Closes the page and with it the wizard.
    void EndWizard();

    virtual void Next() = 0;
    virtual void Back() {}

    CWizardData m_data;

  private:
    PageId m_id;
    std::optional<PageId> m_target;
    QWidget* m_bodyWidget = nullptr;
    QVBoxLayout* m_body = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdBack = nullptr;
    QPushButton* m_cmdNext = nullptr;
};

// A static text of a page, indented by `indent` pixels; wrapped where the text is
// longer than the page is wide.
QLabel* AddText(QVBoxLayout* layout, const char* text, int indent = 0);

}  // namespace kitforge
