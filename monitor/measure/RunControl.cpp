// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunControl.hpp"

#include <string>

#include "AppInfo.hpp"
#include "Format.hpp"
#include "MonitorTexts.hpp"
#include "Numbers.hpp"
#include "RunClock.hpp"
#include "Settings.hpp"
#include "SetupFile.hpp"
#include "Sweep.hpp"
#include "TimeOfDay.hpp"
#include "ValidationChecks.hpp"
#include "cErrHandler.hpp"

namespace zelvo {
namespace {

constexpr int kStartStop = 0;
constexpr int kPauseResume = 1;

double Now() {
    return Desktop().SecondsSinceMidnight();
}

// What a failed preparation step means to the operator.
std::string PrepareFailureText(int status) {
    switch (status) {
        case ZelvoStatus::Busy:
            return texts::kPrepareBusy;
        case ZelvoStatus::CommFailure:
            return texts::kPrepareNoReply;
        case ZelvoStatus::BadArgument:
            return texts::kPrepareRefused;
        case ZelvoStatus::NotFound:
            return texts::kPrepareNotConnected;
        case ZelvoStatus::BadReadingEcho:
        case ZelvoStatus::BadEcho:
            return texts::kPrepareWrongReply;
        default:
            return texts::kPrepareStatus + std::to_string(status) + ".";
    }
}

// Sends period, material and zero to every present displayed channel. Returns one
// line per channel that could not be prepared, naming the step that failed.
std::string PrepareChannels(MainContext& ctx) {
    MainState& s = ctx.state;
    std::string failures;
    for (size_t ch = 0; ch <= static_cast<size_t>(s.ShowLast) && ch < kChannelCount; ++ch) {
        if (!s.ChannelPresent[ch]) continue;
        const std::string& serial = s.ChannelSerial[ch];
        const char* step = texts::kPreparePeriod;
        int status = ctx.sensors.Period(serial, s.Period);
        if (status == ZelvoStatus::Success) {
            step = texts::kPrepareMaterial;
            status = ctx.sensors.Material(serial, s.ChannelDensity[ch], s.ChannelZFactor[ch],
                                          s.ChannelTooling[ch]);
        }
        if (status == ZelvoStatus::Success) {
            step = texts::kPrepareZero;
            status = ctx.sensors.Zero(serial);
        }
        if (status != ZelvoStatus::Success) {
            failures += "\r\n" + s.ChannelName[ch] + " (" + serial + "): " + step +
                        PrepareFailureText(status);
        }
    }
    return failures;
}

void Start(MainContext& ctx) {
    MainState& s = ctx.state;
    if (ctx.sensors.ExchangeInProgress()) {
        // The click arrived while a sweep waits for a sensor's reply: preparing now would
        // find every sensor busy. The sweep timer starts the run once the exchange is over.
        s.StartPending = true;
        return;
    }
    s.StartPending = false;
    // A run never starts with a channel that missed its period, material or zero point:
    // its thickness would carry an old zero point.
    const std::string failures = PrepareChannels(ctx);
    if (!failures.empty()) {
        Desktop().MessageBox(texts::kRunNotStarted + failures, GetAppInfo().title, MsgButtons::OK,
                             MsgIcon::Exclamation);
        return;
    }

    ctx.tmrRun.SetInterval(SweepIntervalFor(s.Period));
    for (Supervisor& supervisor : s.ChannelSupervisor) supervisor.Reset();
    s.RunNum = s.RunNum + 1 > 9999 ? 1 : s.RunNum + 1;
    ctx.views.runBar.SetRunNumberText(std::to_string(s.RunNum));
    // Kept before anything of the run is written: a run that is killed still used it.
    SaveRunNumber(s, GetSetupFile());
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
    for (Supervisor& supervisor : ctx.state.ChannelSupervisor) supervisor.Reset();
}

}  // namespace

std::string ElapsedText(double seconds) {
    return TimeOfDayText(seconds, "00");
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
            StartRunClock(s);
            // Every channel's rate starts afresh, not only the first one's: the
            // average must not mix in rates of an earlier run or from before a pause.
            for (int ch = 0; ch < kChannelCount; ++ch) FilterOf(s, ch).Clear();
            break;
        case kPaused:
            bar.SetButtonVisible(kStartStop, true);
            bar.SetButtonVisible(kPauseResume, true);
            bar.SetButtonCaption(kPauseResume, texts::kResumeCaption);
            s.PausedElapsed = RunClockSeconds(s);
            break;
        default:
            return;
    }
    s.RunMode = mode;
}

void StartIfPending(MainContext& ctx) {
    if (!ctx.state.StartPending) return;
    RunProcedure(std::string(kFormName) + "_cmdFSwitch_Click", [&] {
        if (ctx.state.RunMode == kStopped) {
            Start(ctx);
        } else {
            ctx.state.StartPending = false;
        }
    });
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
            const auto ch = static_cast<size_t>(row);
            ctx.sensors.Zero(ctx.state.ChannelSerial[ch]);
            ctx.state.ChannelSupervisor[ch].Reset();
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
    ctx.views.runBar.SetClockText(Desktop().ShortDateNow(), TimeOfDayText(now, "0"));
    if (ctx.state.RunMode == kRunning) {
        ctx.views.runBar.SetRunTimeText(ElapsedText(RunClockSeconds(ctx.state)));
    }
}

}  // namespace zelvo
