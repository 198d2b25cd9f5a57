// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Building blocks shared by the pages' layouts: an edit field with its length
// limit, and the upper-casing of the VID and PID fields.

#include <QLineEdit>
#include <QValidator>
#include <cstddef>

class QVBoxLayout;

namespace kitforge {

// Indents of the page's own area, after the layout of the original dialogs:
// labels at the left edge, fields and examples indented below them.
inline constexpr int kFieldIndent = 28;

// Turns every typed or pasted letter into upper case.
class UpperCaseValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// An edit field named `name` that refuses input beyond `limit` characters; 0 leaves
// the field without a limit of its own.
QLineEdit* NewEdit(const char* name, std::size_t limit = 0);

// Adds `widget` to `layout`, indented by `indent` pixels, at its preferred width
// (or `width` pixels when given).
void AddIndented(QVBoxLayout* layout, QWidget* widget, int indent, int width = 0);

}  // namespace kitforge
