// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WizardDesktop.hpp"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

#include "QtDesktop.hpp"

namespace kitforge {
namespace {

// Gives the text of a message box that is about to be shown the width of its
// longest line (at most most of the screen), before the box sizes itself.
class FitToLongestLine : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* box = qobject_cast<QMessageBox*>(watched)) Widen(box);
        }
        return false;
    }

  private:
    static void Widen(QMessageBox* box) {
        QLabel* label = nullptr;
        for (QLabel* candidate : box->findChildren<QLabel*>()) {
            if (candidate->text() == box->text()) label = candidate;
        }
        if (label == nullptr) return;
        int longest = 0;
        for (const QString& line : box->text().split(QLatin1Char('\n')))
            longest = std::max(longest, label->fontMetrics().horizontalAdvance(line));
        if (const QScreen* screen = box->screen())
            longest = std::min(longest, screen->availableGeometry().width() * 4 / 5);
        // One pixel of slack: the label lays out its text with fractional advances.
        label->setMinimumWidth(longest + 1);
    }
};

class WizardDesktop : public zelvo::QtDesktop {
  public:
    zelvo::MsgResult MessageBox(const std::string& text, const std::string& title,
                                zelvo::MsgButtons buttons, zelvo::MsgIcon icon,
                                int defaultButton) override {
        FitToLongestLine fit;
        qApp->installEventFilter(&fit);
        const zelvo::MsgResult answer =
            zelvo::QtDesktop::MessageBox(text, title, buttons, icon, defaultButton);
        qApp->removeEventFilter(&fit);
        return answer;
    }
};

}  // namespace

std::unique_ptr<zelvo::IDesktop> NewWizardDesktop() {
    return std::make_unique<WizardDesktop>();
}

}  // namespace kitforge
