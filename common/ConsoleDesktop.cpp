// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleDesktop.hpp"

#include <locale.h>

#include <chrono>
#include <ctime>
#include <iostream>
#include <thread>

#include "Windows1252.hpp"

namespace zelvo {
namespace {

std::tm LocalTime(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return local;
}

// Formats a time with the time conventions of the user's locale (LC_ALL, LC_TIME,
// LANG), leaving the process in the C locale so that numbers keep their ".".
std::string FormatTm(const std::tm& t, const char* format) {
    locale_t user = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    char buffer[128];
    size_t n = 0;
    if (user == static_cast<locale_t>(0)) {
        n = std::strftime(buffer, sizeof buffer, format, &t);  // unknown locale: C
    } else {
        n = strftime_l(buffer, sizeof buffer, format, &t, user);
        freelocale(user);
    }
    return std::string(buffer, n);
}

std::tm LocalNow() {
    return LocalTime(std::time(nullptr));
}

MsgResult Answer(MsgButtons buttons, bool yes) {
    switch (buttons) {
        case MsgButtons::OK:
            return MsgResult::OK;
        case MsgButtons::OKCancel:
            return yes ? MsgResult::OK : MsgResult::Cancel;
        case MsgButtons::YesNo:
            return yes ? MsgResult::Yes : MsgResult::No;
        case MsgButtons::YesNoCancel:
            return yes ? MsgResult::Yes : MsgResult::Cancel;
        case MsgButtons::RetryCancel:
            return MsgResult::Cancel;
        case MsgButtons::AbortRetryIgnore:
            return MsgResult::Abort;
    }
    return MsgResult::Cancel;
}

}  // namespace

MsgResult ConsoleDesktop::MessageBox(const std::string& text, const std::string& title,
                                     MsgButtons buttons, MsgIcon, int) {
    // Names in a message are the setup file's Windows-1252; the terminal reads UTF-8.
    std::cerr << AsUtf8(title) << ": " << AsUtf8(text) << std::endl;
    return Answer(buttons, answerYes_);
}

void ConsoleDesktop::Beep() {
    std::cerr << '\a' << std::flush;
}

void ConsoleDesktop::Sleep(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

double ConsoleDesktop::SecondsSinceMidnight() {
    // Whole seconds and milliseconds from one reading of the clock, so that the time
    // of day never steps back when a second ends between two readings.
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
    const std::tm t = LocalTime(static_cast<std::time_t>(sinceEpoch.count() / 1000));
    const auto subSecond = sinceEpoch.count() % 1000;
    return t.tm_hour * 3600.0 + t.tm_min * 60.0 + t.tm_sec +
           static_cast<double>(subSecond) / 1000.0;
}

uint32_t ConsoleDesktop::Milliseconds() {
    using namespace std::chrono;
    auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms);
}

std::string ConsoleDesktop::GeneralDateTimeNow() {
    return FormatTm(LocalNow(), "%x %X");
}
std::string ConsoleDesktop::ShortDateNow() {
    return FormatTm(LocalNow(), "%x");
}

std::unique_ptr<ITimer> ConsoleDesktop::CreateTimer() {
    return std::make_unique<ManualTimer>();
}

bool ConsoleDesktop::OpenDocument(const std::string& path) {
    std::cerr << "Document: " << path << std::endl;
    return true;
}

std::string ConsoleDesktop::GetSetting(const std::string& app, const std::string& section,
                                       const std::string& key, const std::string& defaultValue) {
    auto it = settings_.find({app, section, key});
    return it == settings_.end() ? defaultValue : it->second;
}

void ConsoleDesktop::SaveSetting(const std::string& app, const std::string& section,
                                 const std::string& key, const std::string& value) {
    settings_[{app, section, key}] = value;
}

bool ManualTimer::Fire() {
    if (!enabled_ || !onTick_) return false;
    onTick_();
    return true;
}

}  // namespace zelvo
