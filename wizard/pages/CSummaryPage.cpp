// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CSummaryPage.hpp"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolTip>
#include <QVBoxLayout>

#include "PageTexts.hpp"
#include "QtText.hpp"

namespace kitforge {
namespace {

constexpr int kLabelColumnWidth = 150;
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
    // A value wider than the box is shortened in the middle and shown whole as the
    // tool tip of its line, so that no value (a long folder above all) is cut off.
    m_txtValues->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_txtValues->viewport()->installEventFilter(this);
    // The values face their labels line by line: no margin above the first line,
    // and the label column starts where the text inside the box starts.
    m_txtValues->document()->setDocumentMargin(0);
    const int frame = m_txtValues->frameWidth();
    m_lblLabels->setContentsMargins(0, frame, 0, 0);
    const QFontMetrics metrics(m_txtValues->font());
    // Every line visible (the room of a horizontal scroll bar is kept, so that the
    // page keeps the size of the others).
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
    m_values = QString::fromStdString(GetSummaryValues(m_data)).split(QStringLiteral("\r\n"));
    ShowValues();
}

void CSummaryPage::ShowValues() {
    const QFontMetrics metrics(m_txtValues->font());
    // The text starts at the viewport's edge (no document margin); one pixel is
    // left for the cursor.
    const int width = m_txtValues->viewport()->width() - 1;
    QStringList shown;
    for (const QString& value : m_values)
        shown << metrics.elidedText(value, Qt::ElideMiddle, width);
    const QString text = shown.join(QLatin1Char('\n'));
    if (text != m_txtValues->toPlainText()) m_txtValues->setPlainText(text);
}

bool CSummaryPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtValues->viewport()) {
        if (event->type() == QEvent::Resize) {
            ShowValues();
        } else if (event->type() == QEvent::ToolTip) {
            const auto* help = static_cast<QHelpEvent*>(event);
            const QTextBlock block = m_txtValues->cursorForPosition(help->pos()).block();
            const int line = block.blockNumber();
            if (line >= 0 && line < m_values.size() && block.text() != m_values[line])
                QToolTip::showText(help->globalPos(), m_values[line], m_txtValues->viewport());
            else
                QToolTip::hideText();
            return true;
        }
    }
    return CWizardPage::eventFilter(watched, event);
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
