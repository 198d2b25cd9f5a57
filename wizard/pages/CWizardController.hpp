// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the wizard: shows one page at a time. When a page closes towards another
// page, builds that page from a copy of the closing page's record and shows it in
// the same place; when a page closes otherwise (Cancel, a successful Finish), the
// wizard ends.

#include <QObject>
#include <QRect>
#include <memory>
#include <optional>

#include "CWizardPage.hpp"

namespace kitforge {

std::unique_ptr<CWizardPage> CreatePage(PageId id, const CWizardData& data);

class CWizardController : public QObject {
    Q_OBJECT
  public:
    explicit CWizardController(const CWizardData& start = CWizardData());
    ~CWizardController() override;

    // Shows the first page.
    void Start();
    // The page on screen; nullptr before Start and after the wizard ended.
    CWizardPage* CurrentPage() const { return m_page.get(); }
    // True once the wizard ended with the package written (not cancelled).
    bool Completed() const { return m_completed; }

  signals:
    void Ended();

  private:
    void Show(PageId id, const CWizardData& data, std::optional<QRect> where);
    void PageClosed(int result);

    CWizardData m_start;
    std::unique_ptr<CWizardPage> m_page;
    bool m_completed = false;
};

}  // namespace kitforge
