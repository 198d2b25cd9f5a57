// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A material chosen from the parameter grid's row menu (or named on the console's
// command line) for one channel.

#include "MainView.hpp"
#include "Material.hpp"
#include "Validation.hpp"

namespace zelvo {

// True while the channel's name is the one it starts with ("Sensor 3" for channel
// 2, letter case ignored) or empty.
bool HasDefaultChannelName(const MainState& state, int channel);

// Sets channel `row`'s density and Z factor to the material's through the same
// checks and Material call as typed cells; a channel whose name is still its
// default takes the material's name, in the readings grid, the assignment grid
// and the charts too. Refused without a word while the parameters are locked, as
// typing is. True when the material was taken.
bool mnuMaterial_Click(MainContext& ctx, Validation& checks, int row, const Material& material);

}  // namespace zelvo
