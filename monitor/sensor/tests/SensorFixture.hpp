#pragma once
// Common ground of the sensor tests: a scripted desktop, the simulator loaded
// through the bridge binding, and a sensor manager created on demand.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
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
    void SetUp() override {
        report_ = std::filesystem::temp_directory_path() /
                  ("zelvo-sensor-" + std::to_string(::getpid()) + ".txt");
        ErrHandler().Destination(report_.string());
    }
    void TearDown() override {
        zelvo_.reset();
        std::error_code ignored;
        std::filesystem::remove(report_, ignored);
    }

    // Configures the simulated bus at time 0 and creates the manager.
    cZelvo& Start(const std::string& config) {
        sim_.Configure(config);
        sim_.SetTime(0);
        zelvo_ = std::make_unique<cZelvo>(bridge_);
        return *zelvo_;
    }
    // Start and discovery in one.
    cZelvo& StartAndFind(const std::string& config) {
        Start(config);
        found_ = zelvo_->FindZelvos(serials_);
        return *zelvo_;
    }
    // Keeps the simulator's clock on the desktop's clock while exchanges wait.
    void FollowDesktopClock() {
        base_ = desktop_.Milliseconds();
        sim_.SetTime(0);
        desktop_.SetOnProcessEvents([this] { SyncClock(); });
    }
    void SyncClock() { sim_.SetTime((desktop_.Milliseconds() - base_) / 1000.0); }
    void Advance(uint32_t ms) {
        desktop_.AdvanceMs(ms);
        SyncClock();
    }
    // Texts of the message boxes shown so far.
    std::string Messages() const {
        std::string all;
        for (const auto& m : desktop_.Messages()) all += m.text + "\n";
        return all;
    }

    FakeDesktop desktop_;
    SimControl sim_;
    VdBridge bridge_{SimControl::LibraryPath()};
    std::unique_ptr<cZelvo> zelvo_;
    ZelvoSerialList serials_;
    int16_t found_ = 0;
    uint32_t base_ = 0;
    std::filesystem::path report_;
};

}  // namespace zelvo::testing
