// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One sweep as a record for machines: when it was taken, the run's time and, per
// displayed channel, its identity, values and status. Built from the main window's
// state after the sweep; the formats (CSV, JSON lines, MQTT payloads) read it.

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "MainState.hpp"

namespace zelvo {

// The status of a channel read successfully in the sweep.
inline constexpr const char* kStatusOk = "ok";
// The status of a channel whose reading failed without a row text (busy, no reply).
inline constexpr const char* kStatusNoReading = "no reading";

struct ChannelRecord {
    int channel = 0;     // 1 to 8
    std::string name;    // UTF-8, converted from the setup file's Windows-1252
    std::string serial;  // UTF-8 too
    bool valid = false;  // read successfully in this sweep; the values below count only then
    double rate = 0;     // filtered rate in the display units
    double thickness = 0;
    double frequency = 0;             // Hz
    double life = 0;                  // %
    std::string status;               // "ok" or the row text
    std::vector<RaisedEvent> events;  // raised by supervision in this sweep
};

struct SweepRecord {
    std::chrono::system_clock::time_point time;
    double runTime = 0;  // seconds since the run started
    int32_t run = 0;     // run number
    int32_t units = 0;   // the Units setting the values are in
    std::vector<ChannelRecord> channels;
};

// The record of the sweep just made. rowText gives the readings grid's frequency
// cell of a row, where a failed reading leaves its row text.
SweepRecord MakeSweepRecord(const MainState& state,
                            const std::function<std::string(int row)>& rowText, double runTime,
                            std::chrono::system_clock::time_point time);

// "2026-12-07T05:01:02.345Z": the time in UTC to the millisecond.
std::string IsoUtc(std::chrono::system_clock::time_point time);

}  // namespace zelvo
