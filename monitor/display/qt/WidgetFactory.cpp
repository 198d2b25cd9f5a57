// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WidgetFactory.hpp"

#include "QtText.hpp"

namespace zelvo::qt {

template <class W>
W* WidgetFactory::Make(const char* name, QRect design, const char* tip) {
    auto* widget = new W(parent_);
    widget->setObjectName(QString::fromLatin1(name));
    if (tip != nullptr && *tip != '\0') widget->setToolTip(Q(tip));
    resizer_.Place(widget, design, kControlFontPt);
    return widget;
}

QPushButton* WidgetFactory::Button(const char* name, const char* caption, QRect design,
                                   const char* tip) {
    auto* button = Make<QPushButton>(name, design, tip);
    button->setText(Q(caption));
    return button;
}

QLabel* WidgetFactory::Label(const char* name, const char* caption, QRect design, const char* tip) {
    auto* label = Make<QLabel>(name, design, tip);
    label->setText(Q(caption));
    return label;
}

QLineEdit* WidgetFactory::Edit(const char* name, QRect design, const char* tip) {
    auto* edit = Make<QLineEdit>(name, design, tip);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

QRadioButton* WidgetFactory::Option(const char* name, const char* caption, QRect design,
                                    const char* tip) {
    auto* option = Make<QRadioButton>(name, design, tip);
    option->setText(Q(caption));
    return option;
}

QCheckBox* WidgetFactory::Check(const char* name, const char* caption, QRect design,
                                const char* tip) {
    auto* check = Make<QCheckBox>(name, design, tip);
    check->setText(Q(caption));
    return check;
}

QComboBox* WidgetFactory::List(const char* name, QRect design, const char* tip) {
    return Make<QComboBox>(name, design, tip);
}

QGroupBox* WidgetFactory::Group(const char* name, const char* caption, QRect design) {
    auto* group = Make<QGroupBox>(name, design, "");
    group->setTitle(Q(caption));
    return group;
}

QFrame* WidgetFactory::Frame(const char* name, QRect design) {
    return Make<QFrame>(name, design, "");
}

}  // namespace zelvo::qt
