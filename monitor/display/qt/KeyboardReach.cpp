// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyboardReach.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>

namespace zelvo::qt {

void SetTabChain(const std::vector<QWidget*>& order) {
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

FrameMnemonics::FrameMnemonics(QObject* parent) : QObject(parent) {
    QApplication::instance()->installEventFilter(this);
}

void FrameMnemonics::Add(QAbstractButton* button, QWidget* frame) {
    // The caption keeps its underlined letter; only the window-wide grab goes.
    button->setShortcut(QKeySequence());
    entries_.push_back({button, frame});
}

QAbstractButton* FrameMnemonics::ButtonFor(const QKeyEvent& key) const {
    if (key.modifiers() != Qt::AltModifier) return nullptr;
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) return nullptr;
    const QKeySequence pressed(QKeyCombination(Qt::AltModifier, Qt::Key(key.key())));
    for (const Entry& entry : entries_) {
        QAbstractButton* button = entry.button;
        if (button == nullptr || entry.frame == nullptr) continue;
        if (!entry.frame->isAncestorOf(focus) || !button->isVisible() || !button->isEnabled()) {
            continue;
        }
        if (QKeySequence::mnemonic(button->text()) == pressed) return button;
    }
    return nullptr;
}

// The letter is claimed before the window's shortcuts see it (ShortcutOverride),
// then acted on as the key press it becomes.
bool FrameMnemonics::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    QAbstractButton* button = ButtonFor(*static_cast<QKeyEvent*>(event));
    if (button == nullptr || watched != QApplication::focusWidget()) {
        return QObject::eventFilter(watched, event);
    }
    event->accept();
    if (type == QEvent::KeyPress) button->click();
    return true;
}

}  // namespace zelvo::qt
