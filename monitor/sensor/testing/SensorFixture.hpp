// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Common ground of the sensor tests: a scripted desktop, the simulator loaded
// through the bridge binding, and a sensor manager created on demand.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "FakeDesktop.hpp"
#include "SimControl.hpp"
#include "cErrHandler.hpp"
#include "cZelvo.hpp"
#include "modUSB.hpp"

namespace zelvo::testing {

class SensorTest : public ::testing::Test {
  protected:
    // Reports of the faults provoked here go to a scratch file.
    SensorTest() { ErrHandler().Destination(report_.string()); }
    ~SensorTest() override {
        zelvo_.reset();
        std::filesystem::remove(report_);
    }

    // Configures the simulated bus at time 0 and creates the manager.
    cZelvo& Start(const std::string& config) {
        sim_.Configure(config);
        sim_.SetTime(0);
        clockBase_ = desktop_.Milliseconds();
        zelvo_ = std::make_unique<cZelvo>(bridge_);
        return *zelvo_;
    }
    // Start and discovery in one.
    cZelvo& StartAndFind(const std::string& config) {
        Start(config);
        found_ = zelvo_->FindZelvos(serials_);
        return *zelvo_;
    }
    // Moves the desktop's and the simulator's clocks on together.
    void Advance(double seconds) {
        desktop_.AdvanceMs(static_cast<uint32_t>(seconds * 1000));
        sim_.AdvanceTime(seconds);
    }
    // While an exchange waits, the simulator's clock follows the desktop's; `also`
    // runs after each step.
    void FollowDesktopClock(std::function<void()> also = nullptr) {
        desktop_.SetOnProcessEvents([this, also] {
            sim_.SetTime((desktop_.Milliseconds() - clockBase_) / 1000.0);
            if (also) also();
        });
    }

    std::filesystem::path report_ = std::filesystem::temp_directory_path() /
                                    ("zelvo-sensor-" + std::to_string(::getpid()) + ".txt");
    FakeDesktop desktop_;
    SimControl sim_;
    VdBridge bridge_{SimControl::LibraryPath()};
    std::unique_ptr<cZelvo> zelvo_;
    DiscoveryList serials_;
    int16_t found_ = 0;
    uint32_t clockBase_ = 0;
};

}  // namespace zelvo::testing
