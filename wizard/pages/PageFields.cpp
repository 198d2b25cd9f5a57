// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PageFields.hpp"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace kitforge {

QValidator::State UpperCaseValidator::validate(QString& input, int&) const {
    input = input.toUpper();
    return Acceptable;
}

QLineEdit* NewEdit(const char* name, std::size_t limit) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    if (limit > 0) edit->setMaxLength(static_cast<int>(limit));
    return edit;
}

void AddIndented(QVBoxLayout* layout, QWidget* widget, int indent, int width) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addSpacing(indent);
    if (width > 0) widget->setFixedWidth(width);
    row->addWidget(widget, width > 0 ? 0 : 1);
    if (width > 0) row->addStretch(1);
    layout->addLayout(row);
}

}  // namespace kitforge
