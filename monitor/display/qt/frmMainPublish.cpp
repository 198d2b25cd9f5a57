// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window's part in publishing: after each sweep the publisher is brought in
// line with the settings (another setup file may have been opened), the sweeps
// of a running run are published, as the data log records them (once the run has
// stopped, the channels' statuses say so), and the status area shows the link.

#include <chrono>

#include "RunClock.hpp"
#include "SetupFile.hpp"
#include "Sweep.hpp"
#include "UtilityError.hpp"
#include "frmMain.hpp"

namespace zelvo::qt {

void frmMain::PublishSweep() {
    if (auto failure = publishing_.Apply(state_, GetSetupFile())) {
        ShowUtilityError("PublishSweep", *failure);
    }
    if (state_.RunMode != kRunning) publishing_.RunStopped();
    if (state_.RunMode == kRunning && publishing_.Active()) {
        publishing_.Publish(MakeSweepRecord(
            state_, [this](int row) { return grdRdgs->Text(row, kColumnFrequency).toStdString(); },
            RunClockSeconds(state_), std::chrono::system_clock::now()));
    }
    publishStatus.Show(publishing_.Status(), publishing_.OffReason());
}

}  // namespace zelvo::qt
