// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GraphSetup.hpp"

#include "AppInfo.hpp"
#include "Desktop.hpp"
#include "DisplayTexts.hpp"
#include "Numbers.hpp"
#include "cErrHandler.hpp"

namespace zelvo {
namespace {

constexpr int kEnter = 13;
constexpr int kBackspace = 8;

std::string ProcName(const char* name) {
    return std::string(kFormName) + name;
}

// A box whose decimal value is 0 (also a text that is no number) shows "0".
void ZeroWhenNoValue(IGraphStrip& strip, StripBox box) {
    if (LeadingNumber(strip.Text(box)) == 0) strip.SetText(box, "0");
}

int32_t WholeNumber(const IGraphStrip& strip, StripBox box) {
    return RoundToInt32(LeadingNumber(strip.Text(box)));
}

void StoreYBounds(MainState& state, int chart, int32_t min, int32_t max) {
    if (chart == 1) {
        state.YMin = min, state.YMax = max;
    } else if (chart == 2) {
        state.YMinThick = min, state.YMaxThick = max;
    } else {
        state.YMinFreq = min, state.YMaxFreq = max;
    }
}

bool IsChartView(int16_t view) {
    return view >= 1 && view <= kChartCount;
}

}  // namespace

bool ValidateXAxis(GraphState& graphs, MainState& state, IGraphStrip& strip) {
    bool accepted = false;
    const bool finished = RunProcedure(ProcName("_ValidateXAxis"), [&] {
        ZeroWhenNoValue(strip, StripBox::XAxis);
        if (LeadingNumber(strip.Text(StripBox::XAxis)) < 0) {
            Desktop().MessageBox(texts::kXRangeNegative, GetAppInfo().title, MsgButtons::OK,
                                 MsgIcon::None);
            // Outside a chart view the rate chart's width stands for all three.
            const ChartData& shown = graphs.Chart(IsChartView(state.View) ? state.View : 1);
            strip.SetText(StripBox::XAxis, ShortestNumberText(shown.xAxis.max - shown.xAxis.min));
            strip.Focus(StripBox::XAxis);
            return;
        }
        const int32_t width = WholeNumber(strip, StripBox::XAxis);
        for (ChartData& chart : graphs.Graph) chart.xAxis.max = chart.xAxis.min + width;
        state.XRange = width;
        accepted = true;
    });
    return finished && accepted;
}

bool ValidateYAxis(GraphState& graphs, MainState& state, IGraphStrip& strip) {
    return RunProcedure(ProcName("_ValidateYAxis"), [&] {
        ZeroWhenNoValue(strip, StripBox::YMin);
        ZeroWhenNoValue(strip, StripBox::YMax);
        if (!IsChartView(state.View)) return;
        const int32_t min = WholeNumber(strip, StripBox::YMin);
        const int32_t max = WholeNumber(strip, StripBox::YMax);
        SetYBounds(graphs.Chart(state.View), min, max);
        StoreYBounds(state, state.View, min, max);
    });
}

bool StripEntries::Enter(StripBox box) {
    return !validating_ && Validate(box);
}

bool StripEntries::LostFocus(StripBox box) {
    if (validating_) return false;
    const auto last = validated_.find(box);
    if (last != validated_.end() && last->second == strip_.Text(box)) return false;
    return Validate(box);
}

bool StripEntries::Validate(StripBox box) {
    validating_ = true;
    const bool applied = box == StripBox::XAxis ? ValidateXAxis(graphs_, state_, strip_)
                                                : ValidateYAxis(graphs_, state_, strip_);
    // What the check left in the boxes (a refused width restored, "0" for no value).
    const bool bothY = box != StripBox::XAxis;
    for (StripBox checked : {box, bothY ? StripBox::YMin : box, bothY ? StripBox::YMax : box}) {
        validated_[checked] = strip_.Text(checked);
    }
    validating_ = false;
    return applied;
}

bool cboXUnits_Click(GraphState& graphs, MainState& state, int32_t index) {
    return RunProcedure(ProcName("_cboXUnits"), [&] {
        ConvertXUnits(graphs, state.XUnits, index);
        state.XUnits = index;
    });
}

bool cboXScroll_Click(MainState& state, int32_t index) {
    return RunProcedure(ProcName("_cboXScroll"), [&] { state.XScroll = index; });
}

KeyOutcome txtXAxis_KeyPress(int keyAscii) {
    if (keyAscii == kEnter) return KeyOutcome::Validate;
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    if (digit || keyAscii == kBackspace || keyAscii == '-' || keyAscii == '.') {
        return KeyOutcome::Pass;
    }
    return KeyOutcome::Discard;
}

KeyOutcome txtYAxis_KeyPress(int keyAscii) {
    return keyAscii == kEnter ? KeyOutcome::Validate : KeyOutcome::Pass;
}

}  // namespace zelvo
