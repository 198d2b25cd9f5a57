// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scripted desktop for tests: records every message box, answers from a script,
// and keeps a manual clock that only moves when the test (or Sleep) moves it.
// Constructing one installs it as the desktop; destroying it uninstalls it.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "ConsoleDesktop.hpp"
#include "Desktop.hpp"

namespace zelvo::testing {

struct RecordedMessage {
    std::string text;
    std::string title;
    MsgButtons buttons;
    MsgIcon icon;
};

class FakeDesktop : public IDesktop {
  public:
    FakeDesktop();
    ~FakeDesktop() override;
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    // Queues the answer for the next message box; without one, a box answers with
    // its first button (OK, Yes, Retry or Abort).
    void Answer(MsgResult result) { answers_.push_back(result); }

    const std::vector<RecordedMessage>& Messages() const { return messages_; }
    void ClearMessages() { messages_.clear(); }
    int Beeps() const { return beeps_; }
    int ProcessEventsCalls() const { return processEventsCalls_; }

    // Runs on every ProcessEvents call (to inject re-entrant events).
    void SetOnProcessEvents(std::function<void()> hook) { onProcessEvents_ = std::move(hook); }
    // Milliseconds that each ProcessEvents call lets pass (default 0).
    void SetProcessEventsCost(uint32_t ms) { processEventsCost_ = ms; }

    void AdvanceMs(uint32_t ms);
    void SetMilliseconds(uint32_t ms) { ms_ = ms; }
    void SetSecondsSinceMidnight(double seconds) { secondsOfDay_ = seconds; }
    void SetGeneralDateTime(std::string text) { generalDate_ = std::move(text); }
    void SetShortDate(std::string text) { shortDate_ = std::move(text); }

    // Timers created through CreateTimer, in creation order (owned by their creators).
    const std::vector<ManualTimer*>& Timers() const { return timers_; }

    MsgResult MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                         MsgIcon icon, int defaultButton) override;
    void Beep() override { ++beeps_; }
    void ProcessEvents() override;
    void Sleep(int milliseconds) override;
    double SecondsSinceMidnight() override { return secondsOfDay_; }
    uint32_t Milliseconds() override { return ms_; }
    std::string GeneralDateTimeNow() override { return generalDate_; }
    std::string ShortDateNow() override { return shortDate_; }
    std::unique_ptr<ITimer> CreateTimer() override;
    bool OpenDocument(const std::string& path) override {
        openedDocuments_.push_back(path);
        return openDocumentResult_;
    }
    const std::vector<std::string>& OpenedDocuments() const { return openedDocuments_; }
    void SetOpenDocumentResult(bool ok) { openDocumentResult_ = ok; }
    std::string GetSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& defaultValue) override;
    void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) override;

  private:
    class TrackedTimer;
    std::vector<RecordedMessage> messages_;
    std::deque<MsgResult> answers_;
    int beeps_ = 0;
    int processEventsCalls_ = 0;
    std::function<void()> onProcessEvents_;
    uint32_t processEventsCost_ = 0;
    uint32_t ms_ = 1000;
    double secondsOfDay_ = 12 * 3600.0;
    std::string generalDate_ = "12/6/2026 10:00:00 AM";
    std::string shortDate_ = "12/6/2026";
    std::vector<ManualTimer*> timers_;
    std::vector<std::string> openedDocuments_;
    bool openDocumentResult_ = true;
    std::map<std::tuple<std::string, std::string, std::string>, std::string> settings_;
};

}  // namespace zelvo::testing
