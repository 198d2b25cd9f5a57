#include "CSummaryPage.hpp"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

#include "PageTexts.hpp"
#include "QtText.hpp"

namespace kitforge {
namespace {

constexpr int kLabelColumnWidth = 170;
constexpr int kColumnLines = 20;  // lines of the longest summary (driver set VCP)

}  // namespace

CSummaryPage::CSummaryPage(const CWizardData& data) : CWizardPage(PageId::Summary, data) {
    setObjectName("CSummaryPage");
    SetNextText(kFinishText);
    QVBoxLayout* body = Body();

    m_lblLabels = new QLabel;
    m_lblLabels->setObjectName("lblSummaryLabels");
    m_lblLabels->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblLabels->setFixedWidth(kLabelColumnWidth);

    m_txtValues = new QPlainTextEdit;
    m_txtValues->setObjectName("txtSummaryValues");
    m_txtValues->setReadOnly(true);
    m_txtValues->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The values face their labels line by line: no margin above the first line,
    // and the label column starts where the text inside the box starts.
    m_txtValues->document()->setDocumentMargin(0);
    const int frame = m_txtValues->frameWidth();
    m_lblLabels->setContentsMargins(0, frame, 0, 0);
    const QFontMetrics metrics(m_txtValues->font());
    // Every line visible, also when a long folder name adds a horizontal scroll bar.
    const int scrollBar = m_txtValues->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_txtValues->setMinimumHeight(metrics.lineSpacing() * (kColumnLines + 1) + 2 * frame +
                                  scrollBar);

    auto* columns = new QHBoxLayout;
    columns->setContentsMargins(12, 0, 0, 0);
    columns->setSpacing(8);
    columns->addWidget(m_lblLabels);
    columns->addWidget(m_txtValues, 1);
    body->addLayout(columns, 1);

    Enter();
    FinishPage();
}

void CSummaryPage::Enter() {
    // Both columns arrive as display text (UTF-8), already decoded from the record.
    m_lblLabels->setText(QString::fromStdString(GetSummaryLabels(m_data)));
    // The values' lines end in CR LF; the box shows one line per value.
    QString values = QString::fromStdString(GetSummaryValues(m_data));
    values.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_txtValues->setPlainText(values);
}

void CSummaryPage::Next() {
    if (GeneratePackage(m_data)) {
        EndWizard();
        return;
    }
    // The page stays so that the user can go back, change the settings and try
    // again; show the record as the failed run left it.
    Enter();
}

void CSummaryPage::Back() {
    MoveTo(PageId::OutputFolder);
}

}  // namespace kitforge
