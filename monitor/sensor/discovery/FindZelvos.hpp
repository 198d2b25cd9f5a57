// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Discovery and channel assignment: opens every sensor, matches sensors to the
// eight channels by serial number, asks the operator about missing and unclaimed
// sensors, and prepares the sensors (crystal limits, period).

#include <string>
#include <vector>

#include "MainView.hpp"

namespace zelvo {

// modUtil_FindZelvos: the whole discovery dialog.
void FindZelvos(MainContext& ctx);

// The assignment grid from the channel tables: names, serial numbers, and the
// serial number struck through for every channel that is not present.
void FillZelvoGrid(const MainState& state, IAssignmentGrid& grid);

// "<port> (<serial>): <reason>", the serial number's part left out when unknown.
std::string SkippedPortLine(const SkippedPort& port);

// The skipped ports to add to a discovery message: CR LF, "Ports skipped:" and a
// CR LF and line per port; only the ports of `serial` (letter case ignored) unless
// it is empty. Empty when there are none.
std::string SkippedPortsText(const std::vector<SkippedPort>& ports, const std::string& serial);

// frmMain_cmdFind_Click: discovery, then every channel's serial number into the grid.
void cmdFind_Click(MainContext& ctx);

// frmMain_grdSN_AfterEdit: commits an edit of the assignment grid. Column 0 renames
// the channel; column 1 stores a changed serial number and runs discovery.
void grdSN_AfterEdit(MainContext& ctx, int row, int column);

}  // namespace zelvo
