// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FindZelvos.hpp"

#include <string>

#include "AppInfo.hpp"
#include "MonitorTexts.hpp"
#include "Strings.hpp"
#include "TextFile.hpp"
#include "ValidationChecks.hpp"
#include "cErrHandler.hpp"

namespace zelvo {
namespace {

// Only the first eight discovery entries take part in matching.
constexpr int kMatchedEntries = 8;
// Columns of the assignment grid.
constexpr int kColumnName = 0;
constexpr int kColumnSerial = 1;

MsgResult Ask(const std::string& text, MsgButtons buttons, MsgIcon icon) {
    return Desktop().MessageBox(text, GetAppInfo().title, buttons, icon);
}

// Claim pass: each channel claims the discovered sensor with its serial number;
// the operator may drop assignments of displayed channels whose sensor is missing.
void ClaimSensors(MainState& s, DiscoveryList& found, const std::vector<SkippedPort>& skipped) {
    for (size_t ch = 0; ch < kChannelCount; ++ch) {
        s.ChannelPresent[ch] = false;
        if (s.ChannelSerial[ch].empty()) continue;
        for (int k = 0; k < kMatchedEntries; ++k) {
            std::string& entry = found[static_cast<size_t>(k)];
            if (!entry.empty() && EqualsNoCase(entry, s.ChannelSerial[ch])) {
                s.ChannelPresent[ch] = true;
                entry.clear();
                break;
            }
        }
        if (s.ChannelPresent[ch] || static_cast<int>(ch) > s.ShowLast) continue;
        const std::string missing = texts::kZelvoNumber + s.ChannelSerial[ch] +
                                    texts::kIsAssignedTo + s.ChannelName[ch] +
                                    texts::kButNotConnected + kCrLf;
        const std::string ports = SkippedPortsText(skipped, s.ChannelSerial[ch]);
        if (s.Unattended) {
            // Nobody to ask: the channel keeps its sensor's record and waits for it.
            Ask(missing + texts::kAssignmentKept + ports, MsgButtons::OK, MsgIcon::Information);
            continue;
        }
        MsgResult answer =
            Ask(missing + texts::kRemoveAssignment + ports, MsgButtons::YesNo, MsgIcon::Question);
        if (answer == MsgResult::Yes) s.ChannelSerial[ch].clear();
    }
}

// Offer pass: every unclaimed sensor is offered to the channels without a serial
// number, in order, until the operator takes one (Yes) or skips the sensor (Cancel).
void OfferSensors(MainState& s, const DiscoveryList& found) {
    for (int k = 0; k < kMatchedEntries; ++k) {
        const std::string& serial = found[static_cast<size_t>(k)];
        if (serial.empty()) continue;
        for (size_t ch = 0; ch < kChannelCount; ++ch) {
            if (!s.ChannelSerial[ch].empty()) continue;
            MsgResult answer =
                Ask(texts::kZelvoNumber + serial + texts::kConnectedNotAssigned + kCrLf +
                        texts::kAssignToUnused + std::to_string(ch + 1) + "?",
                    MsgButtons::YesNoCancel, MsgIcon::Question);
            if (answer == MsgResult::Yes) {
                s.ChannelPresent[ch] = true;
                s.ChannelSerial[ch] = ToUpper(serial);
                break;
            }
            if (answer == MsgResult::Cancel) break;
        }
    }
}

}  // namespace

void FillZelvoGrid(const MainState& state, IAssignmentGrid& grid) {
    for (size_t r = 0; r < kChannelCount; ++r) {
        const int row = static_cast<int>(r);
        grid.SetCellText(row, kColumnName, state.ChannelName[r]);
        grid.SetCellText(row, kColumnSerial, state.ChannelSerial[r]);
        grid.SetStrikeThrough(row, kColumnSerial, !state.ChannelPresent[r]);
    }
}

std::string SkippedPortLine(const SkippedPort& port) {
    return port.port + (port.serial.empty() ? "" : " (" + port.serial + ")") + ": " + port.reason;
}

std::string SkippedPortsText(const std::vector<SkippedPort>& ports, const std::string& serial) {
    std::string text;
    for (const SkippedPort& port : ports) {
        if (!serial.empty() && !EqualsNoCase(port.serial, serial)) continue;
        text += kCrLf + SkippedPortLine(port);
    }
    return text.empty() ? text : kCrLf + std::string(texts::kPortsSkipped) + text;
}

void FindZelvos(MainContext& ctx) {
    RunProcedure("modUtil_FindZelvos", [&] {
        if (ctx.sensors.ExchangeInProgress()) {
            // An exchange waits on one of the handles discovery would close: the
            // request is refused with a beep and can be repeated.
            Desktop().Beep();
            return;
        }
        MainState& s = ctx.state;
        DiscoveryList found{};
        const int count = ctx.sensors.FindZelvos(found);
        const std::vector<SkippedPort> skipped = ctx.sensors.SkippedPorts();
        if (count < 1) {
            if (s.View != kSetupView) SetView(s, ctx.views.window, kSetupView);
            Ask(std::string(texts::kNoZelvos) + kCrLf + texts::kConnectZelvo +
                    SkippedPortsText(skipped, ""),
                MsgButtons::OK, MsgIcon::Exclamation);
            return;
        }
        ClaimSensors(s, found, skipped);
        s.ChannelGone.fill(false);  // what is missing now is found out by the next sweep
        OfferSensors(s, found);
        FillZelvoGrid(s, ctx.views.assignment);

        if (ctx.sensors.InitFreq(s.FreqMax, s.FreqMin, s.FreqInit) != ZelvoStatus::Success) {
            Ask(texts::kFrequencyLimitsFailed, MsgButtons::OK, MsgIcon::None);
        }
        SendPeriodToPresent(s, ctx.sensors);
    });
}

void cmdFind_Click(MainContext& ctx) {
    RunProcedure(std::string(kFormName) + "_cmdFind_Click", [&] {
        FindZelvos(ctx);
        for (size_t r = 0; r < kChannelCount; ++r) {
            ctx.views.assignment.SetCellText(static_cast<int>(r), kColumnSerial,
                                             ctx.state.ChannelSerial[r]);
        }
    });
}

void grdSN_AfterEdit(MainContext& ctx, int row, int column) {
    RunProcedure(std::string(kFormName) + "_grdSN_AfterEdit", [&] {
        if (row < 0 || column < 0) return;
        if (!IsChannel(row)) {
            throw ZelvoError(err::SubscriptOutOfRange, "Subscript out of range");
        }
        MainState& s = ctx.state;
        const size_t r = static_cast<size_t>(row);
        const std::string text = ctx.views.assignment.CellText(row, column);
        if (column == kColumnName || column == kColumnSerial) {
            EntryCheck check =
                column == kColumnName ? CheckChannelName(text) : CheckSerialNumber(text);
            if (!check.accepted) {
                Ask(check.message, MsgButtons::OK, MsgIcon::None);
                ctx.views.assignment.SetCellText(
                    row, column, column == kColumnName ? s.ChannelName[r] : s.ChannelSerial[r]);
                return;
            }
        }
        if (column == kColumnName) {
            s.ChannelName[r] = text;
            if (row <= s.ShowLast) ctx.views.readings.SetRowHeaderText(row, text);
            ctx.views.chart.SetSeriesLabel(row, text);
        } else if (column == kColumnSerial && text != s.ChannelSerial[r]) {
            s.ChannelSerial[r] = text;
            cmdFind_Click(ctx);
        }
    });
}

}  // namespace zelvo
