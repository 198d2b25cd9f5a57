// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checks of the operator's typed settings and material parameters. An accepted
// entry reaches the settings, its box and the sensors at once; a refused one is
// answered with a message, changes nothing and keeps (box) or loses (grid cell)
// the refused text.

#include <string>

#include "MainState.hpp"
#include "MainView.hpp"
#include "ValidationView.hpp"

namespace zelvo {

class Validation {
  public:
    Validation(MainState& state, ISensorManager& sensors, ITimer& tmrRun, IEntryBoxes& boxes,
               IParamsGrid& grid)
        : state_(state), sensors_(sensors), tmrRun_(tmrRun), boxes_(boxes), grid_(grid) {}
    Validation(const MainContext& context, IEntryBoxes& boxes, IParamsGrid& grid)
        : Validation(context.state, context.sensors, context.tmrRun, boxes, grid) {}

    // Checks one box and stores its value; true when accepted or when the control
    // is none of the checked boxes.
    bool Validate(EntryBox box);
    // Validate; a refused box gets the focus with all of its text selected.
    void ValidateControl(EntryBox box);

    void txtRun_LostFocus() { ValidateControl(EntryBox::Run); }
    void txtPeriod_LostFocus() { ValidateControl(EntryBox::Period); }
    void txtFilter_LostFocus() { ValidateControl(EntryBox::Filter); }
    void txtInit_LostFocus(int index);
    void txtRun_GotFocus();

    void grdParams_CellOver(int row, int column);
    void grdParams_BeforeEdit(int row, int column);
    void grdParams_AfterEdit(int row, int column);
    void grdParams_KeyPress(int key);
    void grdParams_LostFocus();
    // Density and Z factor of a channel set together (a material from the library):
    // both texts pass the checks of typed cells; when both are accepted they are
    // stored, sent with one Material call and shown. A refusal is answered with its
    // cell's message and changes nothing. True when accepted.
    bool grdParams_SetMaterial(int row, const std::string& densityText,
                               const std::string& zFactorText);

    // The text the edited cell had when its editing began.
    const std::string& EditText() const { return editText_; }
    // Status of the last sensor call made by a check (not reported to the operator).
    int LastSensorStatus() const { return lastStatus_; }

  private:
    void ValidateBody(EntryBox box, bool& valid);
    void ValidateFrequency(int index, EntryBox box, bool& valid);
    // Sends the period to the present sensors, or keeps it for the sweep during an exchange.
    void SendPeriod();
    void AfterEditBody(int row, int column);
    // Shows the refusal; the cell gets its text from before the edit back.
    void RefuseCell(int row, int column, const char* message);
    // Sends the channel's material to its sensor when the sensor is present.
    void SendMaterial(size_t channel);

    MainState& state_;
    ISensorManager& sensors_;
    ITimer& tmrRun_;
    IEntryBoxes& boxes_;
    IParamsGrid& grid_;
    std::string editText_;
    int lastStatus_ = 0;
};

}  // namespace zelvo
