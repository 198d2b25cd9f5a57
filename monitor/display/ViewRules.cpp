// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewRules.hpp"

namespace zelvo {

ViewLayout LayoutForView(int16_t v) {
    ViewLayout layout;
    if (v == kSetupView) {
        layout.checked = ViewItem::Setup;
        layout.changesFrames = true;
        layout.setupVisible = true;
    } else if (v >= 1 && v <= 3) {
        layout.checked = static_cast<ViewItem>(v);
        layout.changesFrames = true;
        layout.graphVisible = true;
        layout.chart = v;
    }
    return layout;
}

std::string ChartYTitle(int chart, int32_t units) {
    const bool mass = units == 1;
    switch (chart) {
        case 1:
            return mass ? "Mass (ng/cm2/s)" : "Rate (A/s)";
        case 2:
            if (mass) return "Mass (ug/cm2)";
            return units == 2 ? "Thickness (A)" : "Thickness (kA)";
        case 3:
            return "Frequency";
        default:
            return "";
    }
}

YBounds ChartYBounds(const MainState& state, int chart) {
    switch (chart) {
        case 1:
            return {state.YMin, state.YMax};
        case 2:
            return {state.YMinThick, state.YMaxThick};
        case 3:
            return {state.YMinFreq, state.YMaxFreq};
        default:
            return {};
    }
}

}  // namespace zelvo
