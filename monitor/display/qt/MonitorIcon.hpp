// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The monitor's own icon, drawn as the installed scalable one (a crystal disc
// beside a rising thickness trace), so that the window, task bars and the menu
// entry show the same picture.

#include <QIcon>

namespace zelvo::qt {

QIcon MonitorIcon();

}  // namespace zelvo::qt
