// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test access to the simulated bridge library libvdlink-sim.so: loads it with
// dlopen (the same instance the monitor's bridge binding opens by the same path)
// and drives its configuration entry point VDSim_Control.
//
//   zelvo::testing::SimControl sim;
//   sim.Configure("devices=2;seed=1;d1.fault=noreply");
//   zelvo::SetBridgeLibraryName(zelvo::testing::SimControl::LibraryPath());

#include <string>

namespace zelvo::testing {

class SimControl {
  public:
    // Loads the simulator; throws std::runtime_error when it cannot be loaded.
    SimControl();
    // Loads one of the test builds below.
    explicit SimControl(const std::string& libraryPath);
    ~SimControl();
    SimControl(const SimControl&) = delete;
    SimControl& operator=(const SimControl&) = delete;

    // Path of the built simulator library.
    static std::string LibraryPath();
    // Test builds of the simulator that lack one entry point.
    static std::string LibraryWithoutSetBaudRate();
    static std::string LibraryWithoutRead();

    // Replaces the simulated bus (ZELVO_SIM syntax, described in the README).
    // Throws std::invalid_argument with the simulator's message on a bad text.
    void Configure(const std::string& config);
    // Switches the simulator to a manual clock and sets it to the given seconds.
    void SetTime(double seconds);
    // Advances the manual clock.
    void AdvanceTime(double seconds);
    // The last command line device `device` received, without CR LF.
    std::string LastCommand(int device);
    // Number of command lines device `device` has received since configuration.
    int CommandCount(int device);
    // Any control command; returns its output text. Throws std::invalid_argument
    // when the simulator refuses it.
    std::string Control(const std::string& command);

  private:
    void* library_ = nullptr;
    using ControlFn = int (*)(const char*, char*, int);
    ControlFn control_ = nullptr;
};

}  // namespace zelvo::testing
