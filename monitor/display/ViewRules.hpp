// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What setting the window's View property shows: the checked view menu item,
// the frames of the lower region and the chart with its Y-axis title and bounds.

#include <cstdint>
#include <string>

#include "MainState.hpp"

namespace zelvo {

// View menu items in the order of the View values they set.
enum class ViewItem { Setup = 0, RateGraph = 1, ThicknessGraph = 2, FrequencyGraph = 3, None };

struct ViewLayout {
    ViewItem checked = ViewItem::None;  // the one checked item; None unchecks all
    bool changesFrames = false;         // false: the frames stay as they were
    bool setupVisible = false;          // fraSetup
    bool graphVisible = false;          // fraGraph and fraGraphSetup
    int chart = 0;                      // chart shown, 1 to 3; 0 none
};

// The layout for view v: 0 setup panel, 1 to 3 a chart; any other value unchecks
// every item, hides the charts and leaves the frames as they were.
ViewLayout LayoutForView(int16_t v);

// The chart's Y-axis title by unit mode (charts 1 rate, 2 thickness, 3 frequency).
std::string ChartYTitle(int chart, int32_t units);
// The chart's Y bounds from the settings, as shown in txtYMin and txtYMax.
struct YBounds {
    int32_t min = 0;
    int32_t max = 0;
};
YBounds ChartYBounds(const MainState& state, int chart);

}  // namespace zelvo
