#pragma once
// Last page: the chosen settings in two columns; Finish writes the package.

#include "CWizardPage.hpp"

class QLabel;
class QPlainTextEdit;

namespace kitforge {

class CSummaryPage : public CWizardPage {
    Q_OBJECT
  public:
    explicit CSummaryPage(const CWizardData& data);

  protected:
    void Next() override;  // Finish
    void Back() override;

  private:
    void Enter();

    QLabel* m_lblLabels = nullptr;
    QPlainTextEdit* m_txtValues = nullptr;
};

}  // namespace kitforge
