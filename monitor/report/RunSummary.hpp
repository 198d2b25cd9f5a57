// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a report says of one run: per channel its name and serial number (from
// the setup file), its readings and failed readings, its first and last reading,
// final thickness (or mass), the rate's mean, standard deviation and largest
// value, the frequency at start and end and the crystal life used; for the run
// its number, start and stop, run time and the time spent paused.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DataLogReader.hpp"

namespace zelvo::report {

// What the setup file tells of the channels; names are UTF-8.
struct SetupInfo {
    std::string file;  // "" when no setup file was read
    std::array<std::string, 8> names{"Sensor 1", "Sensor 2", "Sensor 3", "Sensor 4",
                                     "Sensor 5", "Sensor 6", "Sensor 7", "Sensor 8"};
    std::array<std::string, 8> serials{};
    double freqInit = 6000000;
    double freqMin = 5000000;
};

// Reads the names, serial numbers and crystal limits of the setup file at path;
// throws ZelvoError when the file cannot be read.
SetupInfo ReadSetupInfo(const std::string& path);

struct ChannelSummary {
    size_t channel = 0;  // 0 to 7
    std::string name;
    std::string serial;
    size_t readings = 0;
    size_t failed = 0;  // records holding the filler
    // The following are set when the channel has at least one reading.
    double firstTime = 0;
    double lastTime = 0;
    double finalThickness = 0;
    double meanRate = 0;
    double rateDeviation = 0;  // population standard deviation
    double maxRate = 0;
    double startFrequency = 0;
    double endFrequency = 0;
    double lifeUsed = 0;  // % of the crystal's life
};

struct RunSummary {
    int32_t run = 0;
    int32_t units = 0;
    LogStamp start;
    std::optional<LogStamp> stop;  // the last block's stop line
    size_t blocks = 1;
    double runTime = 0;  // of the last record, s
    // Clock time between start and stop beyond the run time; none without a stop line.
    std::optional<double> paused;
    std::vector<ChannelSummary> channels;
};

RunSummary Summarize(const LoggedRun& run, const SetupInfo& setup);

// Seconds since midnight of an "h:mm:ss" text; nullopt for another text.
std::optional<double> ClockSeconds(const std::string& time);

}  // namespace zelvo::report
