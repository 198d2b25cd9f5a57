#include "RunControl.hpp"

#include <cmath>
#include <string>

#include "Format.hpp"
#include "MonitorTexts.hpp"
#include "Numbers.hpp"
#include "Sweep.hpp"
#include "ValidationChecks.hpp"
#include "cErrHandler.hpp"

namespace zelvo {
namespace {

constexpr int kStartStop = 0;
constexpr int kPauseResume = 1;
constexpr float kSecondsPerDay = 86400.0f;

double Now() {
    return Desktop().SecondsSinceMidnight();
}

// Whole seconds of a time of day as "h:mm:ss" or "hh:mm:ss".
std::string ClockText(double seconds, const char* hourPattern) {
    int64_t whole = static_cast<int64_t>(std::floor(seconds));
    whole %= 86400;
    if (whole < 0) whole += 86400;
    return FormatNumber(static_cast<double>(whole / 3600), hourPattern) + ":" +
           FormatNumber(static_cast<double>(whole / 60 % 60), "00") + ":" +
           FormatNumber(static_cast<double>(whole % 60), "00");
}

void Start(MainContext& ctx) {
    MainState& s = ctx.state;
    int lastStatus = ZelvoStatus::Success;
    for (size_t ch = 0; ch <= static_cast<size_t>(s.ShowLast) && ch < kChannelCount; ++ch) {
        if (!s.ChannelPresent[ch]) continue;
        const std::string& serial = s.ChannelSerial[ch];
        lastStatus = ctx.sensors.Period(serial, s.Period);
        if (lastStatus != ZelvoStatus::Success) continue;
        lastStatus = ctx.sensors.Material(serial, s.ChannelDensity[ch], s.ChannelZFactor[ch],
                                          s.ChannelTooling[ch]);
        // A failed zero never keeps the run from starting; the row shows the sensor.
        if (lastStatus == ZelvoStatus::Success) ctx.sensors.Zero(serial);
    }
    if (lastStatus != ZelvoStatus::Success) return;

    ctx.tmrRun.SetInterval(SweepIntervalFor(s.Period));
    s.RunNum = s.RunNum + 1 > 9999 ? 1 : s.RunNum + 1;
    ctx.views.runBar.SetRunNumberText(std::to_string(s.RunNum));
    ctx.views.chart.GraphInit();
    ctx.views.dataLog.ChooseLogPath();
    if (s.LogEnabled > 0) ctx.views.dataLog.StartLog();
    SetRunMode(ctx, kRunning);
}

void Stop(MainContext& ctx) {
    if (ctx.state.LogEnabled == 1) ctx.views.dataLog.StopLog();
    SetRunMode(ctx, kStopped);
}

void ZeroAll(MainContext& ctx) {
    // ZeroAll of the sensor manager always succeeds.
    ctx.sensors.ZeroAll();
}

}  // namespace

float DiffSeconds(float start, float now) {
    if (start > now) now += kSecondsPerDay;
    return now - start;
}

std::string ElapsedText(double seconds) {
    return ClockText(seconds, "00");
}

void SetRunMode(MainContext& ctx, int16_t mode) {
    MainState& s = ctx.state;
    IRunBar& bar = ctx.views.runBar;
    switch (mode) {
        case kStopped:
            bar.SetButtonCaption(kStartStop, texts::kStartCaption);
            bar.SetButtonBackColor(kStartStop, kStartGreen);
            bar.SetButtonVisible(kStartStop, true);
            bar.SetButtonVisible(kPauseResume, false);
            s.PausedElapsed = 0;
            break;
        case kRunning:
            bar.SetButtonCaption(kStartStop, texts::kStopCaption);
            bar.SetButtonBackColor(kStartStop, kStopRed);
            bar.SetButtonVisible(kStartStop, true);
            bar.SetButtonVisible(kPauseResume, true);
            bar.SetButtonCaption(kPauseResume, texts::kPauseCaption);
            s.RunStart = Now() - s.PausedElapsed;
            // Every channel's rate starts afresh, not only the first one's: the
            // average must not mix in rates of an earlier run or from before a pause.
            for (int ch = 0; ch < kChannelCount; ++ch) FilterOf(s, ch).Clear();
            break;
        case kPaused:
            bar.SetButtonVisible(kStartStop, true);
            bar.SetButtonVisible(kPauseResume, true);
            bar.SetButtonCaption(kPauseResume, texts::kResumeCaption);
            s.PausedElapsed =
                DiffSeconds(static_cast<float>(s.RunStart), static_cast<float>(Now()));
            break;
        default:
            return;
    }
    s.RunMode = mode;
}

void cmdFSwitch_Click(MainContext& ctx, int index) {
    RunProcedure(std::string(kFormName) + "_cmdFSwitch_Click", [&] {
        const int16_t mode = ctx.state.RunMode;
        if (index == kStartStop) {
            if (mode == kStopped) {
                Start(ctx);
            } else {
                Stop(ctx);
            }
        } else if (index == kPauseResume) {
            if (mode == kRunning)
                SetRunMode(ctx, kPaused);
            else if (mode == kPaused)
                SetRunMode(ctx, kRunning);
        }
    });
}

void grdRdgs_Click(MainContext& ctx, int row, int column) {
    RunProcedure(std::string(kFormName) + "_grdRdgs_Click", [&] {
        if (column != kColumnZero || row < 0 || row > ctx.state.ShowLast || !IsChannel(row)) return;
        if (ctx.state.ShiftHeld) {
            ZeroAll(ctx);
        } else {
            // An absent sensor answers 7; its row already shows it.
            ctx.sensors.Zero(ctx.state.ChannelSerial[static_cast<size_t>(row)]);
        }
    });
}

void Form_KeyDown(MainContext& ctx, Key key) {
    switch (key) {
        case Key::Shift:
            ctx.state.ShiftHeld = true;
            break;
        case Key::Control:
            ctx.state.CtrlHeld = true;
            break;
        case Key::Digit0:
            if (ctx.state.CtrlHeld) {
                RunProcedure(std::string(kFormName) + "_Form_KeyDown", [&] { ZeroAll(ctx); });
            }
            break;
        case Key::Other:
            break;
    }
}

void Form_KeyUp(MainContext& ctx, Key key) {
    if (key == Key::Shift) ctx.state.ShiftHeld = false;
    if (key == Key::Control) ctx.state.CtrlHeld = false;
}

void RefreshClock(MainContext& ctx) {
    const double now = Now();
    ctx.views.runBar.SetClockText(Desktop().ShortDateNow(), ClockText(now, "0"));
    if (ctx.state.RunMode == kRunning) {
        ctx.views.runBar.SetRunTimeText(ElapsedText(
            DiffSeconds(static_cast<float>(ctx.state.RunStart), static_cast<float>(now))));
    }
}

}  // namespace zelvo
