// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window timer that counts its ticks in progress. A sweep or a discovery runs
// inside a tick and lets other events run while it waits on a sensor; the window
// must not release the sensors under it, so it asks whether a tick is running.

#include <functional>
#include <memory>

#include "Desktop.hpp"

namespace zelvo::qt {

class GuardedTimer : public ITimer {
  public:
    // `running` counts the ticks in progress of every guarded timer sharing it;
    // `afterTick` runs when a tick has ended.
    GuardedTimer(std::unique_ptr<ITimer> inner, int& running, std::function<void()> afterTick)
        : inner_(std::move(inner)), running_(running), afterTick_(std::move(afterTick)) {}

    void SetInterval(int milliseconds) override { inner_->SetInterval(milliseconds); }
    int Interval() const override { return inner_->Interval(); }
    void SetEnabled(bool enabled) override { inner_->SetEnabled(enabled); }
    bool Enabled() const override { return inner_->Enabled(); }
    void SetOnTick(std::function<void()> handler) override {
        inner_->SetOnTick([this, handler = std::move(handler)] {
            ++running_;
            if (handler) handler();
            --running_;
            if (afterTick_) afterTick_();
        });
    }
    // The desktop's timer underneath (tests fire it by hand).
    ITimer& Inner() { return *inner_; }

  private:
    std::unique_ptr<ITimer> inner_;
    int& running_;
    std::function<void()> afterTick_;
};

}  // namespace zelvo::qt
