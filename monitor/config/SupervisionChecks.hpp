// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The operator's entries of a channel's supervision settings: the range check of
// each (the message to show names the range) and the accepted value put in place.

#include <string_view>

#include "Supervision.hpp"
#include "ValidationChecks.hpp"

namespace zelvo {

enum class SupervisionField {
    Target,
    Margin,
    LifeWarning,
    Quality,
    StabilityThreshold,
    StabilityAlarm
};

// Target and margin 0 to 9999.999 ("0.000"), life warning 0 to 99 % ("0.0"), quality
// level a whole number 0 to 9, stability threshold and alarm 0 to 1000000 Hz ("0.0").
EntryCheck CheckSupervision(SupervisionField field, std::string_view text);

// Puts an accepted value (EntryCheck::value) into the field of the settings.
void SetSupervision(SupervisionSettings& settings, SupervisionField field, double value);

}  // namespace zelvo
