// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the core asks of the desktop. The Qt layer implements it (QtDesktop);
// tests use FakeDesktop; command-line modes use ConsoleDesktop. The core reaches
// the installed implementation through Desktop().

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace zelvo {

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { OK, Cancel, Yes, No, Retry, Abort, Ignore };

// A periodic timer: interval in milliseconds, enable flag and tick event.
class ITimer {
  public:
    virtual ~ITimer() = default;
    virtual void SetInterval(int milliseconds) = 0;
    virtual int Interval() const = 0;
    virtual void SetEnabled(bool enabled) = 0;
    virtual bool Enabled() const = 0;
    // Called on every tick while enabled.
    virtual void SetOnTick(std::function<void()> handler) = 0;
};

class IDesktop {
  public:
    virtual ~IDesktop() = default;

    // Modal message box; returns the button pressed. defaultButton counts from 1.
    virtual MsgResult MessageBox(const std::string& text, const std::string& title,
                                 MsgButtons buttons, MsgIcon icon, int defaultButton = 1) = 0;
    virtual void Beep() = 0;

    // Lets pending desktop events run (timers, clicks) and returns.
    virtual void ProcessEvents() = 0;
    // Blocks the thread for about the given time without burning the processor.
    virtual void Sleep(int milliseconds) = 0;

    // Seconds since local midnight, with fractions.
    virtual double SecondsSinceMidnight() = 0;
    // Monotonic millisecond counter; wraps at 2^32 like the platform's.
    virtual uint32_t Milliseconds() = 0;
    // The current local date and time in the user's general date format, and the
    // current date in the user's short date format.
    virtual std::string GeneralDateTimeNow() = 0;
    virtual std::string ShortDateNow() = 0;

    virtual std::unique_ptr<ITimer> CreateTimer() = 0;

    // Opens a document in the program associated with its type; false when that failed.
    virtual bool OpenDocument(const std::string& path) = 0;

    // Per-user settings store: (application, section, key) -> text.
    virtual std::string GetSetting(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& defaultValue) = 0;
    virtual void SaveSetting(const std::string& app, const std::string& section,
                             const std::string& key, const std::string& value) = 0;
};

// The installed desktop; a ConsoleDesktop until SetDesktop is called.
IDesktop& Desktop();
// Installs a desktop (not owned; nullptr restores the console desktop).
void SetDesktop(IDesktop* desktop);

}  // namespace zelvo
