// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sweep.hpp"

#include <cmath>
#include <string>

#include "Format.hpp"
#include "MonitorTexts.hpp"
#include "RunControl.hpp"
#include "SensorReturn.hpp"
#include "cErrHandler.hpp"

namespace zelvo {
namespace {

// Rows of a failed reading: columns 0, 1 and 4 cleared, column 3 the row text.
void ShowFailure(IReadingsGrid& grid, int row, const std::string& frequencyText) {
    grid.SetCellText(row, kColumnRate, "");
    grid.SetCellText(row, kColumnThickness, "");
    grid.SetCellText(row, kColumnLife, "");
    grid.SetCellText(row, kColumnFrequency, frequencyText);
}

void ApplyStatus(MainContext& ctx, size_t ch, int status, const ReadingResult& result) {
    MainState& s = ctx.state;
    IReadingsGrid& grid = ctx.views.readings;
    const int row = static_cast<int>(ch);
    switch (status) {
        case ZelvoStatus::Busy:
        case ZelvoStatus::CommFailure:
        case ZelvoStatus::SensorMinus1:
            s.ChannelValid[ch] = false;
            break;
        case ZelvoStatus::SensorMinus2:
            ShowFailure(grid, row, texts::kOverflow);
            break;
        case ZelvoStatus::BadArgument:
            for (size_t v = 0; v < 4; ++v) s.ChannelValues[v][ch] = result[v];
            grid.SetCellText(row, kColumnLife, FormatNumber(result[kResultLife], "0.0"));
            grid.SetCellText(row, kColumnFrequency, FormatNumber(result[kResultFrequency], "0.00"));
            break;
        case ZelvoStatus::BadReadingEcho:
            ShowFailure(grid, row, texts::kCommandError);
            break;
        case ZelvoStatus::NotFound:
            ShowFailure(grid, row, s.ChannelSerial[ch].empty() ? texts::kRowNotFound : "");
            break;
        case ZelvoStatus::OutOfLimits:
            ShowFailure(grid, row, texts::kCrystalFail);
            break;
        case ZelvoStatus::BadEcho:
            ShowFailure(grid, row, texts::kCommError);
            break;
        case ZelvoStatus::BadReadingValue:
            ShowFailure(grid, row, texts::kUnknownError);
            break;
        default:
            break;
    }
}

// The reading judged by the channel's supervisor. The target is in kA or ug/cm2 and is
// reached by the thickness as the records show it (to the thousandth of the display
// unit), so that its event comes with the first record that shows the target.
void Supervise(MainState& s, size_t ch, double rate, double thickness,
               const ReadingResult& result) {
    const double shown = std::round(thickness * 1000) / 1000;
    const SupervisionReading reading{.thickness = s.Units == 2 ? shown / 1000 : shown,
                                     .rate = rate,
                                     .frequency = result[kResultFrequency],
                                     .life = result[kResultLife]};
    s.ChannelSupervisor[ch].Judge(s.ChannelSupervision[ch], reading, s.RunMode == kRunning,
                                  s.RunMode != kPaused);
}

void ShowReading(MainContext& ctx, size_t ch, const ReadingResult& result) {
    MainState& s = ctx.state;
    IReadingsGrid& grid = ctx.views.readings;
    const int row = static_cast<int>(ch);
    s.ChannelValid[ch] = true;

    double rate = s.ChannelValues[kValueRate][ch];
    double thickness = s.ChannelValues[kValueThickness][ch];
    switch (s.Units) {
        case 0:
            rate = result[kResultRate];
            thickness = result[kResultThickness];
            break;
        case 1:  // 1 A of density rho weighs 10 x rho ng/cm2; 1 kA 10 x rho ug/cm2
            rate = s.ChannelDensity[ch] * result[kResultRate] * 10;
            thickness = s.ChannelDensity[ch] * result[kResultThickness] * 10;
            break;
        case 2:
            rate = result[kResultRate];
            thickness = result[kResultThickness] * 1000;
            break;
        default:
            break;  // an unknown unit keeps the previous values
    }
    s.ChannelValues[kValueRate][ch] = rate;
    s.ChannelValues[kValueThickness][ch] = thickness;
    s.ChannelValues[kValueFrequency][ch] = result[kResultFrequency];
    s.ChannelValues[kValueLife][ch] = result[kResultLife];
    Supervise(s, ch, rate, thickness, result);

    if (s.RunMode == kRunning) {
        cFilter& filter = FilterOf(s, static_cast<int>(ch));
        filter.Push(rate);
        grid.SetCellText(row, kColumnRate,
                         FormatNumber(filter.Average(), s.Rate == 1 ? "0.00" : "0.0"));
        if (s.Units == 0 || s.Units == 1) {
            grid.SetCellText(row, kColumnThickness, FormatNumber(thickness, "0.000"));
        } else if (s.Units == 2) {
            grid.SetCellText(row, kColumnThickness,
                             FormatNumber(thickness, s.Rate == 1 ? "0.00" : "0.0"));
        } else {
            grid.SetCellText(row, kColumnThickness, "");
        }
        ctx.views.chart.GraphReading();
    }
    grid.SetCellText(row, kColumnFrequency, FormatNumber(result[kResultFrequency], "0.00"));
    grid.SetCellText(row, kColumnLife, FormatNumber(result[kResultLife], "0.0"));
}

// The period entered while an exchange waited reaches the present sensors once none waits.
void SendPendingPeriod(MainContext& ctx) {
    MainState& s = ctx.state;
    if (!s.PeriodPending || ctx.sensors.ExchangeInProgress()) return;
    s.PeriodPending = false;
    RunProcedure(std::string(kFormName) + "_tmrRun_Timer",
                 [&] { SendPeriodToPresent(s, ctx.sensors); });
}

}  // namespace

void GetReadings(MainContext& ctx) {
    RunProcedure(std::string(kFormName) + "_GetReadings", [&] {
        MainState& s = ctx.state;
        if (s.ShowLast < 0 || s.ShowLast >= kChannelCount) {
            throw ZelvoError(err::SubscriptOutOfRange,
                             "Subscript out of range: ShowLast = " + std::to_string(s.ShowLast));
        }
        s.ChannelReadInSweep.fill(false);
        bool anyRead = false;
        for (size_t ch = 0; ch <= static_cast<size_t>(s.ShowLast); ++ch) {
            s.ChannelSupervisor[ch].BeginSweep();
            ReadingResult result{};
            const int status = ctx.sensors.GetReading(s.ChannelSerial[ch], result);
            if (status == ZelvoStatus::Success) {
                ShowReading(ctx, ch, result);
                s.ChannelReadInSweep[ch] = true;
                anyRead = true;
            } else {
                ApplyStatus(ctx, ch, status, result);
            }
            NoteReadingStatus(ctx, ch, status);
        }
        // One channel that fails, wherever it sits, never silences the records of the
        // others: the record carries the filler in its place.
        if (anyRead && s.LogEnabled == 1 && s.RunMode == kRunning) {
            ctx.views.dataLog.LogRecord();
        }
    });
}

void tmrRun_Timer(MainContext& ctx) {
    GetReadings(ctx);
    RunProcedure(std::string(kFormName) + "_tmrRun_Timer", [&] { LookForGoneSensors(ctx); });
    SendPendingPeriod(ctx);
    StartIfPending(ctx);
}

}  // namespace zelvo
