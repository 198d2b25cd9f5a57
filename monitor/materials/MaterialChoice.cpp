// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MaterialChoice.hpp"

#include "Numbers.hpp"
#include "Strings.hpp"
#include "ValidationChecks.hpp"
#include "cErrHandler.hpp"

namespace zelvo {

bool HasDefaultChannelName(const MainState& state, int channel) {
    const std::string name = Trim(state.ChannelName.at(static_cast<size_t>(channel)));
    return name.empty() || EqualsNoCase(name, "Sensor " + std::to_string(channel + 1));
}

bool mnuMaterial_Click(MainContext& ctx, Validation& checks, int row, const Material& material) {
    bool taken = false;
    RunProcedure(std::string(kFormName) + "_mnuMaterial_Click", [&] {
        if (!IsChannel(row)) throw ZelvoError(err::SubscriptOutOfRange, "Subscript out of range");
        MainState& s = ctx.state;
        if (s.Locked) return;
        const bool defaultName = HasDefaultChannelName(s, row);
        taken = checks.grdParams_SetMaterial(row, ShortestNumberText(material.density),
                                             ShortestNumberText(material.zFactor));
        const EntryCheck name = CheckChannelName(material.name);
        if (!taken || !defaultName || !name.accepted) return;
        s.ChannelName[static_cast<size_t>(row)] = name.shown;
        if (row <= s.ShowLast) ctx.views.readings.SetRowHeaderText(row, name.shown);
        ctx.views.assignment.SetCellText(row, 0, name.shown);
        ctx.views.chart.SetSeriesLabel(row, name.shown);
    });
    return taken;
}

}  // namespace zelvo
