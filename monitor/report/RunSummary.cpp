// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunSummary.hpp"

#include <cmath>

#include "IniStore.hpp"
#include "Numbers.hpp"
#include "Strings.hpp"
#include "TimeOfDay.hpp"
#include "Windows1252.hpp"

namespace zelvo::report {
namespace {

// Hz of a crystal limit; the oldest layout keeps MHz.
std::optional<double> LimitHz(const std::string& text) {
    const std::optional<double> value = ParseNumber(Trim(text));
    if (!value || *value <= 0) return std::nullopt;
    return *value < 1000 ? *value * 1e6 : *value;
}

// Streams the channel's readings into its summary.
void Accumulate(const LoggedRun& run, const ChannelColumns& columns, ChannelSummary& c) {
    double mean = 0;
    double squares = 0;  // of the deviations from the running mean
    for (size_t i = 0; i < run.Records(); ++i) {
        const double rate = columns.rate[i];
        if (std::isnan(rate)) {
            ++c.failed;
            continue;
        }
        if (c.readings == 0) {
            c.firstTime = run.time[i];
            c.startFrequency = columns.frequency[i];
            c.maxRate = rate;
        }
        ++c.readings;
        c.lastTime = run.time[i];
        c.finalThickness = columns.thickness[i];
        c.endFrequency = columns.frequency[i];
        c.maxRate = std::max(c.maxRate, rate);
        const double delta = rate - mean;
        mean += delta / static_cast<double>(c.readings);
        squares += delta * (rate - mean);
    }
    if (c.readings == 0) return;
    c.meanRate = mean;
    c.rateDeviation = std::sqrt(squares / static_cast<double>(c.readings));
}

}  // namespace

SetupInfo ReadSetupInfo(const std::string& path) {
    SetupInfo info;
    info.file = path;
    for (size_t c = 0; c < info.names.size(); ++c) {
        const auto line = ini::ReadValue(path, "Zelvo", "Sensor " + std::to_string(c + 1));
        if (!line) continue;
        const std::vector<std::string> fields = Split(*line, ';');
        if (!fields.empty()) info.names[c] = FromWindows1252(Trim(fields[0]));
        if (fields.size() >= 5) info.serials[c] = FromWindows1252(Trim(fields[4]));
    }
    if (const auto freq = ini::ReadValue(path, "Application", "Freq")) {
        const std::vector<std::string> fields = Split(*freq, ';');
        const auto min = fields.size() >= 3 ? LimitHz(fields[1]) : std::nullopt;
        const auto init = fields.size() >= 3 ? LimitHz(fields[2]) : std::nullopt;
        if (min && init && *init > *min) {
            info.freqMin = *min;
            info.freqInit = *init;
        }
    }
    return info;
}

std::optional<double> ClockSeconds(const std::string& time) {
    const std::vector<std::string> parts = Split(time, ':');
    if (parts.size() != 3) return std::nullopt;
    double seconds = 0;
    for (const std::string& part : parts) {
        const std::optional<double> value = ParseNumber(part);
        if (!value || *value < 0 || *value >= 60 * (&part == &parts[0] ? 24 : 1)) {
            return std::nullopt;
        }
        seconds = seconds * 60 + *value;
    }
    return seconds;
}

RunSummary Summarize(const LoggedRun& run, const SetupInfo& setup) {
    RunSummary s;
    s.run = run.number;
    s.units = run.units;
    s.start = run.blocks.front().start;
    s.stop = run.blocks.back().stop;
    s.blocks = run.blocks.size();
    s.runTime = run.time.empty() ? 0 : run.time.back();
    const auto from = ClockSeconds(s.start.time);
    const auto to = s.stop ? ClockSeconds(s.stop->time) : std::nullopt;
    if (from && to) {
        double clock = SecondsAcrossMidnight(*from, *to);
        // A run of more than a day passed midnight more than once.
        while (clock + 2 < s.runTime) clock += kSecondsPerDay;
        s.paused = std::max(0.0, clock - s.runTime);
    }
    for (size_t c = 0; c < run.channels.size(); ++c) {
        ChannelSummary channel;
        channel.channel = c;
        channel.name = setup.names[c];
        channel.serial = setup.serials[c];
        Accumulate(run, run.channels[c], channel);
        if (channel.readings > 0) {
            channel.lifeUsed = (channel.startFrequency - channel.endFrequency) * 100 /
                               (setup.freqInit - setup.freqMin);
        }
        s.channels.push_back(std::move(channel));
    }
    return s;
}

}  // namespace zelvo::report
