#pragma once
// Discovery and channel assignment: opens every sensor, matches sensors to the
// eight channels by serial number, asks the operator about missing and unclaimed
// sensors, and prepares the sensors (crystal limits, period).

#include "MainView.hpp"

namespace zelvo {

// modUtil_FindZelvos: the whole discovery dialog.
void FindZelvos(MainContext& ctx);

// The assignment grid from the channel tables: names, serial numbers, and the
// serial number struck through for every channel that is not present.
void FillZelvoGrid(const MainState& state, IAssignmentGrid& grid);

// frmMain_cmdFind_Click: discovery, then every channel's serial number into the grid.
void cmdFind_Click(MainContext& ctx);

// frmMain_grdSN_AfterEdit: commits an edit of the assignment grid. Column 0 renames
// the channel; column 1 stores a changed serial number and runs discovery.
void grdSN_AfterEdit(MainContext& ctx, int row, int column);

}  // namespace zelvo
