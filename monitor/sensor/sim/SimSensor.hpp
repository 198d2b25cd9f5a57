// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One simulated Zelvo sensor: a crystal that loses frequency as material
// deposits, the command protocol ("!@", "!A", "!B", "!C" with CR LF) and the
// configured fault. Time is passed in by the caller, in seconds: the in-process
// bus and the pseudo-terminal server (zelvosim) drive the same model.

#include <cstdint>
#include <deque>
#include <limits>
#include <string>

#include "SimConfig.hpp"

namespace vdsim {

class SimSensor {
  public:
    SimSensor(SensorConfig config, uint64_t seed);

    const SensorConfig& Config() const { return config_; }
    // Gone from the bus (unplugged or vanished).
    bool Gone() const { return gone_; }
    void Unplug() { gone_ = true; }
    // Back on the bus, as a freshly plugged device.
    void Replug() { gone_ = false; }
    // When a sensor gone with the replug fault is due back; infinity otherwise.
    double BackAt() const { return gone_ ? backAt_ : kNever; }
    // Comes back if due by `now`, as a freshly plugged device (gate settings and
    // queues as the firmware starts them).
    void ComeBack(double now);
    // Number of times it came back; handles opened on an earlier plug stay dead.
    int64_t Plug() const { return plug_; }
    // Line rate last set on one of its handles; 0 before any.
    int32_t LineRate() const { return lineRate_; }
    void SetLineRate(int32_t baudRate) { lineRate_ = baudRate; }

    // Status 0 or non-zero, like the library calls.
    int32_t Flush(bool transmit, bool receive);
    int32_t Write(const char* bytes, int32_t count, double now);
    // Delivers what has arrived by `now`, at most `capacity` bytes; never waits.
    int32_t Read(char* buffer, int32_t capacity, int32_t& returned, double now);

    // Time the next queued reply piece is due (infinity when none is queued).
    double NextReplyAt() const;

    // Crystal frequency without noise at time `now` (with a hop that is due and the
    // erratic deposit so far).
    double TrueFrequency(double now) const;
    const std::string& LastCommand() const { return lastCommand_; }
    int64_t CommandCount() const { return commandCount_; }

  private:
    static constexpr double kNever = std::numeric_limits<double>::infinity();
    static constexpr int64_t kFirmwareGateCycles = 1250000;  // 0.25 s at 5 MHz
    static constexpr int64_t kFirmwareGateTime = 12500000;
    struct Chunk {
        std::string bytes;
        double availableAt;
    };
    void HandleLine(const std::string& line, double now);
    std::string Answer(const std::string& line, double now);
    std::string ReadingReply(double now);
    void Queue(std::string reply, double now);
    double Gaussian();
    // Erratic: the deposit since the last reading at this reading's own rate.
    void VaryDeposit(double now);

    SensorConfig config_;
    uint64_t rng_;
    bool gone_ = false;
    bool left_ = false;  // the replug fault has taken it off the bus once
    double backAt_ = kNever;
    int64_t plug_ = 0;
    int32_t lineRate_ = 0;
    int64_t commandCount_ = 0;
    std::string lastCommand_;
    std::string input_;
    std::deque<Chunk> output_;
    int64_t gateCycles_ = kFirmwareGateCycles;
    int64_t gateTime_ = kFirmwareGateTime;
    double lastReadingAt_ = 0;     // time of the last "!A"
    double erraticThickness_ = 0;  // A deposited beyond the steady rate
};

}  // namespace vdsim
