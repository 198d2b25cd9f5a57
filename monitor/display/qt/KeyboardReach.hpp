// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keyboard's way through the main window: Tab in reading order, and the Alt
// letters of buttons that share theirs with a menu or the run button.

#include <QObject>
#include <QPointer>
#include <vector>

class QAbstractButton;
class QKeyEvent;
class QWidget;

namespace zelvo::qt {

// Tab goes through the controls in the order given; hidden or disabled ones are
// passed over as Qt does.
void SetTabChain(const std::vector<QWidget*>& order);

// A button whose Alt letter the window gives to something else (File, View and
// Help open their menus, S presses the run button): its letter stays underlined
// and presses it only while the focus is inside its frame.
class FrameMnemonics : public QObject {
  public:
    explicit FrameMnemonics(QObject* parent);
    void Add(QAbstractButton* button, QWidget* frame);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAbstractButton* ButtonFor(const QKeyEvent& key) const;

    struct Entry {
        QPointer<QAbstractButton> button;
        QPointer<QWidget> frame;
    };
    std::vector<Entry> entries_;
};

}  // namespace zelvo::qt
