// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SensorReturn.hpp"

#include <string>

#include "FindZelvos.hpp"
#include "Format.hpp"
#include "MonitorTexts.hpp"
#include "RunClock.hpp"

namespace zelvo {
namespace {

// Seconds of run time, the time the data log's records carry.
double RunSeconds(const MainState& s) {
    if (s.RunMode == kPaused) return s.PausedElapsed;
    if (s.RunMode != kRunning) return 0;
    return RunClockSeconds(s);
}

void Notice(MainContext& ctx, size_t ch, const char* what) {
    const MainState& s = ctx.state;
    ctx.views.window.SensorNotice(s.ChannelName[ch] + " (" + s.ChannelSerial[ch] + ")" + what +
                                  FormatNumber(RunSeconds(s), "0.0") + " s");
}

bool Displayed(const MainState& s, size_t ch) {
    return static_cast<int>(ch) <= s.ShowLast && !s.ChannelSerial[ch].empty();
}

// The sensor is open again: a channel that discovery did not find takes the
// channel's material and period, as Start gives them.
void Returned(MainContext& ctx, size_t ch) {
    MainState& s = ctx.state;
    s.ChannelGone[ch] = false;
    if (!s.ChannelPresent[ch]) {
        s.ChannelPresent[ch] = true;
        const std::string& serial = s.ChannelSerial[ch];
        ctx.sensors.Period(serial, s.Period);
        ctx.sensors.Material(serial, s.ChannelDensity[ch], s.ChannelZFactor[ch],
                             s.ChannelTooling[ch]);
        FillZelvoGrid(s, ctx.views.assignment);
    }
    Notice(ctx, ch, texts::kSensorCameBack);
}

}  // namespace

void NoteReadingStatus(MainContext& ctx, size_t ch, int status) {
    MainState& s = ctx.state;
    if (status != ZelvoStatus::NotFound || !Displayed(s, ch) || s.ChannelGone[ch]) return;
    s.ChannelGone[ch] = true;
    // A sensor discovery did not find has not left; it is only looked for.
    if (s.ChannelPresent[ch]) Notice(ctx, ch, texts::kSensorLeft);
}

void LookForGoneSensors(MainContext& ctx) {
    MainState& s = ctx.state;
    bool anyGone = false;
    for (size_t ch = 0; ch < kChannelCount; ++ch)
        anyGone = anyGone || (s.ChannelGone[ch] && Displayed(s, ch));
    if (!anyGone || ctx.sensors.ExchangeInProgress()) return;
    const uint32_t now = Desktop().Milliseconds();
    if (now - s.SensorSearchMs < kSensorSearchMs) return;
    s.SensorSearchMs = now;
    for (size_t ch = 0; ch < kChannelCount; ++ch) {
        if (!s.ChannelGone[ch] || !Displayed(s, ch)) continue;
        if (ctx.sensors.Reconnect(s.ChannelSerial[ch]) == ZelvoStatus::Success) Returned(ctx, ch);
    }
}

}  // namespace zelvo
