// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepRecord.hpp"

#include <ctime>

#include "Format.hpp"
#include "MonitorTexts.hpp"
#include "Windows1252.hpp"

namespace zelvo {
namespace {

bool IsRowText(const std::string& text) {
    for (const char* rowText : {texts::kOverflow, texts::kCommandError, texts::kCrystalFail,
                                texts::kRowNotFound, texts::kCommError, texts::kUnknownError}) {
        if (text == rowText) return true;
    }
    return false;
}

}  // namespace

SweepRecord MakeSweepRecord(const MainState& state,
                            const std::function<std::string(int row)>& rowText, double runTime,
                            std::chrono::system_clock::time_point time) {
    SweepRecord record;
    record.time = time;
    record.runTime = runTime;
    record.run = state.RunNum;
    record.units = state.Units;
    for (int ch = 0; ch <= state.ShowLast && IsChannel(ch); ++ch) {
        const auto c = static_cast<size_t>(ch);
        ChannelRecord channel;
        channel.channel = ch + 1;
        channel.name = FromWindows1252(state.ChannelName[c]);
        channel.serial = FromWindows1252(state.ChannelSerial[c]);
        channel.valid = state.ChannelReadInSweep[c];
        if (channel.valid) {
            const auto& filter = state.ChannelFilter[c];
            channel.rate = filter ? filter->Average() : state.ChannelValues[kValueRate][c];
            channel.thickness = state.ChannelValues[kValueThickness][c];
            channel.frequency = state.ChannelValues[kValueFrequency][c];
            channel.life = state.ChannelValues[kValueLife][c];
            channel.status = kStatusOk;
        } else {
            const std::string text = rowText(ch);
            channel.status = IsRowText(text) ? text : kStatusNoReading;
        }
        const Supervisor& supervisor = state.ChannelSupervisor[c];
        channel.events.assign(supervisor.begin(), supervisor.end());
        record.channels.push_back(std::move(channel));
    }
    return record;
}

std::string IsoUtc(std::chrono::system_clock::time_point time) {
    using namespace std::chrono;
    const auto sinceEpoch = time.time_since_epoch();
    const std::time_t seconds = duration_cast<std::chrono::seconds>(sinceEpoch).count();
    const auto millis = duration_cast<milliseconds>(sinceEpoch).count() % 1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    const size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    return std::string(text, length) + "." + FormatNumber(static_cast<double>(millis), "000") + "Z";
}

}  // namespace zelvo
