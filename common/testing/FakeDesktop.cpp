// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeDesktop.hpp"

#include <algorithm>

namespace zelvo::testing {

// A ManualTimer that leaves the fake's list when destroyed.
class FakeDesktop::TrackedTimer : public ManualTimer {
  public:
    explicit TrackedTimer(std::vector<ManualTimer*>& list) : list_(list) { list_.push_back(this); }
    ~TrackedTimer() override {
        list_.erase(std::remove(list_.begin(), list_.end(), this), list_.end());
    }

  private:
    std::vector<ManualTimer*>& list_;
};

FakeDesktop::FakeDesktop() {
    SetDesktop(this);
}
FakeDesktop::~FakeDesktop() {
    SetDesktop(nullptr);
}

MsgResult FakeDesktop::MessageBox(const std::string& text, const std::string& title,
                                  MsgButtons buttons, MsgIcon icon, int) {
    messages_.push_back({text, title, buttons, icon});
    if (!answers_.empty()) {
        MsgResult r = answers_.front();
        answers_.pop_front();
        return r;
    }
    switch (buttons) {
        case MsgButtons::OK:
        case MsgButtons::OKCancel:
            return MsgResult::OK;
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel:
            return MsgResult::Yes;
        case MsgButtons::RetryCancel:
            return MsgResult::Retry;
        case MsgButtons::AbortRetryIgnore:
            return MsgResult::Abort;
    }
    return MsgResult::OK;
}

void FakeDesktop::ProcessEvents() {
    ++processEventsCalls_;
    AdvanceMs(processEventsCost_);
    if (onProcessEvents_) onProcessEvents_();
}

void FakeDesktop::Sleep(int milliseconds) {
    if (milliseconds > 0) AdvanceMs(static_cast<uint32_t>(milliseconds));
}

void FakeDesktop::AdvanceMs(uint32_t ms) {
    ms_ += ms;
    secondsOfDay_ += ms / 1000.0;
    if (secondsOfDay_ >= 86400.0) secondsOfDay_ -= 86400.0;
}

std::unique_ptr<ITimer> FakeDesktop::CreateTimer() {
    return std::make_unique<TrackedTimer>(timers_);
}

std::string FakeDesktop::GetSetting(const std::string& app, const std::string& section,
                                    const std::string& key, const std::string& defaultValue) {
    auto it = settings_.find({app, section, key});
    return it == settings_.end() ? defaultValue : it->second;
}

void FakeDesktop::SaveSetting(const std::string& app, const std::string& section,
                              const std::string& key, const std::string& value) {
    settings_[{app, section, key}] = value;
}

}  // namespace zelvo::testing
