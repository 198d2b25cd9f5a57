// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtDesktop.hpp"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLocale>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <set>
#include <utility>

#include "Windows1252.hpp"

namespace zelvo {
namespace {

class QtTimer : public ITimer {
  public:
    QtTimer() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (onTick_) onTick_();
        });
    }
    void SetInterval(int milliseconds) override { timer_.setInterval(milliseconds); }
    int Interval() const override { return timer_.interval(); }
    void SetEnabled(bool enabled) override {
        if (enabled) {
            timer_.start();
        } else {
            timer_.stop();
        }
    }
    bool Enabled() const override { return timer_.isActive(); }
    void SetOnTick(std::function<void()> handler) override { onTick_ = std::move(handler); }

  private:
    QTimer timer_;
    std::function<void()> onTick_;
};

QString Text(const std::string& s) {
    return QString::fromLocal8Bit(s.data(), qsizetype(s.size()));
}
// A core text for a message box: it may carry a name in the setup file's
// Windows-1252 (the monitor's messages) or be UTF-8 already (kitforge's).
QString Shown(const std::string& s) {
    return QString::fromStdString(AsUtf8(s));
}
std::string Local8(const QString& s) {
    return s.toLocal8Bit().toStdString();
}

struct ButtonSpec {
    QMessageBox::StandardButton button;
    MsgResult result;
};

std::vector<ButtonSpec> ButtonsOf(MsgButtons buttons) {
    using B = QMessageBox::StandardButton;
    switch (buttons) {
        case MsgButtons::OK:
            return {{B::Ok, MsgResult::OK}};
        case MsgButtons::OKCancel:
            return {{B::Ok, MsgResult::OK}, {B::Cancel, MsgResult::Cancel}};
        case MsgButtons::YesNo:
            return {{B::Yes, MsgResult::Yes}, {B::No, MsgResult::No}};
        case MsgButtons::YesNoCancel:
            return {
                {B::Yes, MsgResult::Yes}, {B::No, MsgResult::No}, {B::Cancel, MsgResult::Cancel}};
        case MsgButtons::RetryCancel:
            return {{B::Retry, MsgResult::Retry}, {B::Cancel, MsgResult::Cancel}};
        case MsgButtons::AbortRetryIgnore:
            return {{B::Abort, MsgResult::Abort},
                    {B::Retry, MsgResult::Retry},
                    {B::Ignore, MsgResult::Ignore}};
    }
    return {{B::Ok, MsgResult::OK}};
}

QMessageBox::Icon IconOf(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::None:
            return QMessageBox::NoIcon;
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// The window a message box belongs to: an open modal dialog, else the
// program's main window (shown or not yet), else the active window. Owned, the
// box stays above it, even when it is kept on top, and opens centred on it.
QWidget* OwnerWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    QWidget* hidden = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(widget) == nullptr) continue;
        if (widget->isVisible()) return widget;
        if (hidden == nullptr) hidden = widget;
    }
    return hidden != nullptr ? hidden : QApplication::activeWindow();
}

// Ticks in progress that show their OK-only messages after they return, and the
// messages waiting or open from them (title and text).
int ticksDeferringMessages = 0;
std::set<std::pair<std::string, std::string>> messagesAfterTicks;

MsgResult ShowBox(const std::string& text, const std::string& title, MsgButtons buttons,
                  MsgIcon icon, int defaultButton) {
    QMessageBox box(IconOf(icon), Shown(title), Shown(text), QMessageBox::NoButton, OwnerWindow());
    // A dialog's frame: title and close button only (customised, or the window
    // manager adds its own buttons), on top with its owner.
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint |
                            Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (box.parentWidget() != nullptr &&
        box.parentWidget()->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    box.setWindowFlags(flags);
    auto specs = ButtonsOf(buttons);
    for (const auto& spec : specs) box.addButton(spec.button);
    size_t defaultIndex = defaultButton >= 1 ? size_t(defaultButton - 1) : 0;
    if (defaultIndex >= specs.size()) defaultIndex = 0;
    box.setDefaultButton(specs[defaultIndex].button);
    if (buttons != MsgButtons::OK && buttons != MsgButtons::YesNo &&
        buttons != MsgButtons::AbortRetryIgnore) {
        box.setEscapeButton(QMessageBox::Cancel);
    }
    box.exec();
    auto clicked = box.standardButton(box.clickedButton());
    for (const auto& spec : specs) {
        if (spec.button == clicked) return spec.result;
    }
    return buttons == MsgButtons::OK ? MsgResult::OK : MsgResult::Cancel;
}

// Shows the message once no deferring tick runs: a tick that lets events run while
// it waits on a sensor would otherwise get the box inside itself.
void ShowAfterTicks(const std::string& text, const std::string& title, MsgIcon icon, int delayMs) {
    QTimer::singleShot(delayMs, qApp, [text, title, icon] {
        if (ticksDeferringMessages > 0) {
            ShowAfterTicks(text, title, icon, 10);
            return;
        }
        ShowBox(text, title, MsgButtons::OK, icon, 1);
        messagesAfterTicks.erase({title, text});
    });
}

}  // namespace

QtDesktop::MessagesAfterTick::MessagesAfterTick() {
    ++ticksDeferringMessages;
}

QtDesktop::MessagesAfterTick::~MessagesAfterTick() {
    --ticksDeferringMessages;
}

MsgResult QtDesktop::MessageBox(const std::string& text, const std::string& title,
                                MsgButtons buttons, MsgIcon icon, int defaultButton) {
    if (buttons != MsgButtons::OK || ticksDeferringMessages == 0) {
        return ShowBox(text, title, buttons, icon, defaultButton);
    }
    if (!messagesAfterTicks.insert({title, text}).second) return MsgResult::OK;
    ShowAfterTicks(text, title, icon, 0);
    return MsgResult::OK;
}

void QtDesktop::Beep() {
    QApplication::beep();
}

void QtDesktop::ProcessEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtDesktop::Sleep(int milliseconds) {
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

double QtDesktop::SecondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

uint32_t QtDesktop::Milliseconds() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<uint32_t>(clock.elapsed());
}

std::string QtDesktop::GeneralDateTimeNow() {
    return Local8(QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat));
}

std::string QtDesktop::ShortDateNow() {
    return Local8(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
}

std::unique_ptr<ITimer> QtDesktop::CreateTimer() {
    return std::make_unique<QtTimer>();
}

bool QtDesktop::OpenDocument(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(Text(path)));
}

std::string QtDesktop::GetSetting(const std::string& app, const std::string& section,
                                  const std::string& key, const std::string& defaultValue) {
    QSettings settings("Zelvo", Text(app));
    QVariant v = settings.value(Text(section) + "/" + Text(key), Text(defaultValue));
    return Local8(v.toString());
}

void QtDesktop::SaveSetting(const std::string& app, const std::string& section,
                            const std::string& key, const std::string& value) {
    QSettings settings("Zelvo", Text(app));
    settings.setValue(Text(section) + "/" + Text(key), Text(value));
}

}  // namespace zelvo
