// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CWizardPage.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "PageTexts.hpp"
#include "QtText.hpp"
#include "WizardBitmap.hpp"

namespace kitforge {
namespace {

// Width of the page's own area in pixels; the long texts wrap inside it.
constexpr int kBodyWidth = 570;
constexpr int kBodyHeight = 320;

}  // namespace

CWizardPage::CWizardPage(PageId id, const CWizardData& data) : m_data(data), m_id(id) {
    // A page of fixed size: minimize (it has its own task-bar button) and close,
    // no maximize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(Literal(kWizardTitle));
    setWindowIcon(WizardIcon());

    auto* frame = new QHBoxLayout(this);
    frame->setContentsMargins(10, 10, 10, 10);
    frame->setSpacing(14);
    frame->addWidget(new CWizardBitmap(this));

    auto* column = new QVBoxLayout;
    column->setSpacing(10);
    m_bodyWidget = new QWidget(this);
    m_bodyWidget->setObjectName("pageBody");
    m_bodyWidget->setFixedWidth(kBodyWidth);
    // Every page has the same size, so that moving between pages keeps the frame still.
    m_bodyWidget->setMinimumHeight(kBodyHeight);
    m_body = new QVBoxLayout(m_bodyWidget);
    m_body->setContentsMargins(0, 0, 0, 0);
    m_body->setSpacing(4);
    column->addWidget(m_bodyWidget, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_cmdCancel = new QPushButton(Literal(kCancelText), this);
    m_cmdCancel->setObjectName("cmdCancel");
    m_cmdBack = new QPushButton(Literal(kBackText), this);
    m_cmdBack->setObjectName("cmdBack");
    m_cmdNext = new QPushButton(Literal(kNextText), this);
    m_cmdNext->setObjectName("cmdNext");
    m_cmdNext->setDefault(true);
    for (QPushButton* button : {m_cmdCancel, m_cmdBack, m_cmdNext}) {
        button->setMinimumWidth(90);
        buttons->addWidget(button);
    }
    column->addLayout(buttons);
    frame->addLayout(column);
    frame->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cmdBack, &QPushButton::clicked, this, [this] { Back(); });
    connect(m_cmdNext, &QPushButton::clicked, this, [this] { Next(); });
}

void CWizardPage::RemoveBackButton() {
    delete m_cmdBack;
    m_cmdBack = nullptr;
}

void CWizardPage::SetNextText(const char* text) {
    m_cmdNext->setText(Literal(text));
}

void CWizardPage::FinishPage() {
    QList<QWidget*> chain;
    for (QWidget* child : m_bodyWidget->findChildren<QWidget*>()) {
        if (child->focusPolicy() & Qt::TabFocus) chain.append(child);
    }
    QWidget* first = chain.isEmpty() ? m_cmdNext : chain.front();
    for (QPushButton* button : {m_cmdCancel, m_cmdBack, m_cmdNext}) {
        if (button != nullptr) chain.append(button);
    }
    for (qsizetype i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
    first->setFocus(Qt::TabFocusReason);
}

void CWizardPage::MoveTo(PageId target) {
    m_target = target;
    accept();
}

void CWizardPage::EndWizard() {
    m_target.reset();
    accept();
}

QLabel* AddText(QVBoxLayout* layout, const char* text, int indent) {
    auto* label = new QLabel(Literal(text));
    label->setWordWrap(true);
    label->setContentsMargins(indent, 0, 0, 0);
    layout->addWidget(label);
    return label;
}

}  // namespace kitforge
