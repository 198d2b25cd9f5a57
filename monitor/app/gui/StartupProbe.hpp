// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// For the start-time benchmark: with ZELVO_STARTUP_PROBE set, the program prints
// the wall-clock time (ms since the epoch) at which the window is first shown with
// readings, and with ZELVO_STARTUP_PROBE=quit it then closes the window.

namespace zelvo::qt {
class frmMain;
}

namespace zelvo::gui {

void WatchStartup(qt::frmMain& window);

}  // namespace zelvo::gui
