// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart settings strip fraGraphSetup: applying the Y bounds and the X width
// typed into its boxes, the X unit and scroll lists, and its keys.

#include <cstdint>
#include <map>
#include <string>

#include "modGraph.hpp"

namespace zelvo {

enum class StripBox { XAxis, YMin, YMax };  // txtXAxis, txtYMin, txtYMax

// The settings strip's text boxes.
class IGraphStrip {
  public:
    virtual ~IGraphStrip() = default;
    virtual std::string Text(StripBox box) const = 0;
    virtual void SetText(StripBox box, const std::string& text) = 0;
    virtual void Focus(StripBox box) = 0;
};

// Applies txtXAxis to the X axes of the three charts and to XRange. A negative
// width is refused with a message, the text shows the current width again and
// keeps the focus; returns false then.
bool ValidateXAxis(GraphState& graphs, MainState& state, IGraphStrip& strip);
// Applies txtYMin and txtYMax to the chart of the current view and its Y-bound
// settings; no order between them is enforced. Nothing to apply without a chart shown.
bool ValidateYAxis(GraphState& graphs, MainState& state, IGraphStrip& strip);

// When the strip's boxes are validated, so that one entry gives one message:
// Enter validates the box, losing the focus only when its text changed since it
// was last validated, and nothing while a validation runs (a message box it
// shows takes the focus from the box).
class StripEntries {
  public:
    StripEntries(GraphState& graphs, MainState& state, IGraphStrip& strip)
        : graphs_(graphs), state_(state), strip_(strip) {}
    // Each returns true when the boxes were applied.
    bool Enter(StripBox box);
    bool LostFocus(StripBox box);

  private:
    bool Validate(StripBox box);

    GraphState& graphs_;
    MainState& state_;
    IGraphStrip& strip_;
    std::map<StripBox, std::string> validated_;
    bool validating_ = false;
};

// The X unit list: stores XUnits and re-expresses the charts' X axes and points
// in it; the caller titles the X axes with XAxisTitle.
bool cboXUnits_Click(GraphState& graphs, MainState& state, int32_t index);
// The X scroll list: stores XScroll.
bool cboXScroll_Click(MainState& state, int32_t index);

enum class KeyOutcome { Validate, Pass, Discard };
// A key typed into txtXAxis: Enter validates; backspace, digits, "-" and "."
// pass; every other character is discarded.
KeyOutcome txtXAxis_KeyPress(int keyAscii);
// A key typed into txtYMin or txtYMax: Enter validates, every other key passes.
KeyOutcome txtYAxis_KeyPress(int keyAscii);

}  // namespace zelvo
