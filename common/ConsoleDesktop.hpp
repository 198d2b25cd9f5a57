// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A desktop without windows: messages go to standard error and are answered with
// a fixed answer policy; time is the real clock; timers never tick by themselves;
// the settings store lives in memory. Used by command-line modes.

#include <map>
#include <tuple>

#include "Desktop.hpp"

namespace zelvo {

class ConsoleDesktop : public IDesktop {
  public:
    // answerYes: questions (Yes/No, OK/Cancel ...) are answered with the affirmative
    // button; otherwise with the negative one.
    explicit ConsoleDesktop(bool answerYes = false) : answerYes_(answerYes) {}
    void SetAnswerYes(bool yes) { answerYes_ = yes; }

    MsgResult MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                         MsgIcon icon, int defaultButton) override;
    void Beep() override;
    void ProcessEvents() override {}
    void Sleep(int milliseconds) override;
    double SecondsSinceMidnight() override;
    uint32_t Milliseconds() override;
    std::string GeneralDateTimeNow() override;
    std::string ShortDateNow() override;
    std::unique_ptr<ITimer> CreateTimer() override;
    bool OpenDocument(const std::string& path) override;
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& defaultValue) override;
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;

  private:
    bool answerYes_;
    std::map<std::tuple<std::string, std::string, std::string>, std::string> settings_;
};

// A timer that only records its settings; Fire() runs its handler (tests, consoles).
class ManualTimer : public ITimer {
  public:
    void SetInterval(int milliseconds) override { interval_ = milliseconds; }
    int Interval() const override { return interval_; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    bool Enabled() const override { return enabled_; }
    void SetOnTick(std::function<void()> handler) override { onTick_ = std::move(handler); }
    // Runs the tick handler when enabled; returns whether it ran.
    bool Fire();

  private:
    int interval_ = 0;
    bool enabled_ = false;
    std::function<void()> onTick_;
};

}  // namespace zelvo
