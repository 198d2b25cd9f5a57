// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The simulated bus: its sensors, the open handles and the simulator's clock
// (seconds since configuration; the real steady clock unless a test sets it).

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "SimConfig.hpp"
#include "SimSensor.hpp"

namespace vdsim {

class SimBus {
  public:
    // Configured from ZELVO_SIM; a bad text is reported on standard error and
    // leaves the bus without devices.
    SimBus();

    // Replaces the bus; false with a message for a bad text (bus unchanged).
    bool Configure(const std::string& text, std::string& message);

    int32_t GetNumDevices(int32_t& count);
    int32_t GetProductString(int32_t index, char* buffer, int32_t option);
    int32_t Open(int32_t index, int32_t& handle);
    int32_t SetBaudRate(int32_t handle, int32_t baudRate);
    int32_t FlushBuffers(int32_t handle, int32_t transmit, int32_t receive);
    int32_t Write(int32_t handle, const void* bytes, int32_t count, int32_t& written);
    int32_t Read(int32_t handle, void* buffer, int32_t capacity, int32_t& returned);
    int32_t Close(int32_t handle);
    // How a wait of at most timeoutMs for the handle's next reply piece ends: VD_OK
    // when one is due within it, after `seconds`; VD_WAIT_TIMEOUT when none is, after
    // the whole timeout, or at once on a manual clock (time passes only when a test
    // moves it). The caller sleeps, outside the bus's lock.
    int32_t WaitForData(int32_t handle, int32_t timeoutMs, double& seconds);
    // Any call on an open handle that only needs the handle to be valid.
    int32_t CheckHandle(int32_t handle) const;

    // Test control, see VDSim_Control.
    bool Control(const std::string& command, std::string& output);

  private:
    double Now() const;
    // Brings back the sensors due back on the bus by now.
    void ComeBackDue();
    // Sensor at enumeration index `index` (devices still on the bus), or nullptr.
    SimSensor* Enumerated(int32_t index);
    const SimSensor* Enumerated(int32_t index) const;
    SimSensor* ByHandle(int32_t handle);
    const SimSensor* ByHandle(int32_t handle) const;
    // A handle opened before its sensor last came back: dead, as for a gone device.
    bool Stale(int32_t handle) const;
    SimSensor* ByBusIndex(const std::string& text, std::string& output);

    struct OpenHandle {
        size_t sensor;
        int64_t plug;  // the sensor's plug it was opened on
    };
    std::vector<SimSensor> sensors_;
    std::map<int32_t, OpenHandle> handles_;
    int32_t nextHandle_ = 1;
    bool manualClock_ = false;
    double manualSeconds_ = 0.0;
    std::chrono::steady_clock::time_point origin_ = std::chrono::steady_clock::now();
};

}  // namespace vdsim
