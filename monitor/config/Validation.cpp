// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Validation.hpp"

#include <array>

#include "AppInfo.hpp"
#include "Desktop.hpp"
#include "ValidationChecks.hpp"
#include "cErrHandler.hpp"

namespace zelvo {
namespace {

constexpr int kEnterKey = 13;

void Tell(const char* message) {
    Desktop().MessageBox(message, GetAppInfo().title, MsgButtons::OK, MsgIcon::None);
}

std::string ProcName(const char* procedure) {
    return std::string(kFormName) + "_" + procedure;
}

}  // namespace

bool Validation::Validate(EntryBox box) {
    bool valid = true;
    if (!RunProcedure(ProcName("Validate"), [&] { ValidateBody(box, valid); })) valid = false;
    return valid;
}

void Validation::ValidateBody(EntryBox box, bool& valid) {
    switch (box) {
        case EntryBox::Run: {
            EntryCheck check = CheckRunNumber(boxes_.Text(box));
            valid = check.accepted;
            if (!valid) return Tell(check.message);
            state_.RunNum = static_cast<int32_t>(check.value);
            boxes_.SetText(box, check.shown);
            return;
        }
        case EntryBox::Period: {
            EntryCheck check = CheckPeriod(boxes_.Text(box));
            valid = check.accepted;
            if (!valid) return Tell(check.message);
            state_.Period = check.value;
            SendPeriod();
            tmrRun_.SetInterval(SweepIntervalFor(state_.Period));
            boxes_.SetText(box, check.shown);
            return;
        }
        case EntryBox::Filter: {
            EntryCheck check = CheckFilter(boxes_.Text(box));
            valid = check.accepted;
            if (!valid) return Tell(check.message);
            for (int c = 0; c < kChannelCount; ++c) {
                FilterOf(state_, c).Size(static_cast<int32_t>(check.value));
            }
            return;
        }
        case EntryBox::FreqMax:
            return ValidateFrequency(kFreqMaxBox, box, valid);
        case EntryBox::FreqMin:
            return ValidateFrequency(kFreqMinBox, box, valid);
        case EntryBox::FreqInitial:
            return ValidateFrequency(kFreqInitialBox, box, valid);
        case EntryBox::Other:
            valid = true;
            return;
    }
}

void Validation::ValidateFrequency(int index, EntryBox box, bool& valid) {
    std::array<std::string, 3> texts{boxes_.Text(EntryBox::FreqMax), boxes_.Text(EntryBox::FreqMin),
                                     boxes_.Text(EntryBox::FreqInitial)};
    std::array<double, 3> stored{state_.FreqMax / 1000000, state_.FreqMin / 1000000,
                                 state_.FreqInit / 1000000};
    EntryCheck check = CheckFrequency(index, texts, stored);
    valid = check.accepted;
    if (!valid) return Tell(check.message);
    if (index == kFreqMaxBox) state_.FreqMax = check.value;
    if (index == kFreqMinBox) state_.FreqMin = check.value;
    if (index == kFreqInitialBox) state_.FreqInit = check.value;
    boxes_.SetText(box, check.shown);
    lastStatus_ = sensors_.InitFreq(state_.FreqMax, state_.FreqMin, state_.FreqInit);
    SendPeriod();
}

void Validation::SendPeriod() {
    if (sensors_.ExchangeInProgress()) {
        // Entered while a sweep waits for a reply: every sensor would refuse it as busy
        // and keep its old period. The sweep sends it when it ends.
        state_.PeriodPending = true;
        return;
    }
    if (const auto status = SendPeriodToPresent(state_, sensors_)) lastStatus_ = *status;
}

void Validation::ValidateControl(EntryBox box) {
    if (Validate(box)) return;
    boxes_.Focus(box);
    boxes_.Select(box, 0, static_cast<int>(boxes_.Text(box).size()));
}

void Validation::txtInit_LostFocus(int index) {
    static constexpr std::array<EntryBox, 3> kBoxes{EntryBox::FreqMax, EntryBox::FreqMin,
                                                    EntryBox::FreqInitial};
    if (index < 0 || index >= static_cast<int>(kBoxes.size())) return;
    ValidateControl(kBoxes[static_cast<size_t>(index)]);
}

void Validation::txtRun_GotFocus() {
    boxes_.Select(EntryBox::Run, 0, static_cast<int>(boxes_.Text(EntryBox::Run).size()));
}

void Validation::grdParams_CellOver(int /*row*/, int column) {
    grid_.SetToolTip(ParameterHint(column, state_.Locked));
}

void Validation::grdParams_BeforeEdit(int row, int column) {
    if (row < 0 || column < kNameColumn || column > kToolingColumn) return;
    editText_ = grid_.CellText(row, column);
    grid_.SelectEditorText(static_cast<int>(editText_.size()));
}

void Validation::grdParams_AfterEdit(int row, int column) {
    RunProcedure(ProcName("grdParams_AfterEdit"), [&] { AfterEditBody(row, column); });
}

void Validation::AfterEditBody(int row, int column) {
    if (!IsChannel(row)) return;
    auto i = static_cast<size_t>(row);
    if (column == kNameColumn) {
        EntryCheck check = CheckChannelName(grid_.CellText(row, column));
        if (!check.accepted) return RefuseCell(row, column, check.message);
        state_.ChannelName[i] = check.shown;
        return;
    }
    if (column < kDensityColumn || column > kToolingColumn) return;
    ParameterCheck check = CheckParameter(column, grid_.CellText(row, column));
    if (check.zeroText) grid_.SetCellText(row, column, *check.zeroText);
    if (!check.accepted) return RefuseCell(row, column, check.message);
    if (column == kDensityColumn) state_.ChannelDensity[i] = check.value;
    if (column == kZFactorColumn) state_.ChannelZFactor[i] = check.value;
    if (column == kToolingColumn) state_.ChannelTooling[i] = check.value;
    SendMaterial(i);
    grid_.SetCellText(row, column, check.shown);
}

void Validation::SendMaterial(size_t channel) {
    if (!state_.ChannelPresent[channel]) return;
    lastStatus_ = sensors_.Material(state_.ChannelSerial[channel], state_.ChannelDensity[channel],
                                    state_.ChannelZFactor[channel], state_.ChannelTooling[channel]);
}

bool Validation::grdParams_SetMaterial(int row, const std::string& densityText,
                                       const std::string& zFactorText) {
    bool accepted = false;
    RunProcedure(ProcName("grdParams_SetMaterial"), [&] {
        if (!IsChannel(row)) throw ZelvoError(err::SubscriptOutOfRange, "Subscript out of range");
        const ParameterCheck density = CheckParameter(kDensityColumn, densityText);
        const ParameterCheck zFactor = CheckParameter(kZFactorColumn, zFactorText);
        if (!density.accepted) return Tell(density.message);
        if (!zFactor.accepted) return Tell(zFactor.message);
        auto i = static_cast<size_t>(row);
        state_.ChannelDensity[i] = density.value;
        state_.ChannelZFactor[i] = zFactor.value;
        SendMaterial(i);
        grid_.SetCellText(row, kDensityColumn, density.shown);
        grid_.SetCellText(row, kZFactorColumn, zFactor.shown);
        accepted = true;
    });
    return accepted;
}

void Validation::RefuseCell(int row, int column, const char* message) {
    Tell(message);
    grid_.SetCellText(row, column, editText_);
    grid_.ResumeEdit(row);
}

void Validation::grdParams_KeyPress(int key) {
    if (key != kEnterKey || !grid_.IsEditing()) return;
    grdParams_AfterEdit(grid_.CurrentRow(), grid_.CurrentColumn());
    grid_.EndEdit();
}

void Validation::grdParams_LostFocus() {
    grdParams_AfterEdit(grid_.CurrentRow(), grid_.CurrentColumn());
    grid_.EndEdit();
}

}  // namespace zelvo
