// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SupervisionChecks.hpp"

#include "Format.hpp"
#include "ValidationMessages.hpp"

namespace zelvo {
namespace {

struct SupervisionRule {
    double max;
    const char* format;  // nullptr: a whole number
    const char* message;
};

SupervisionRule RuleOf(SupervisionField field) {
    switch (field) {
        case SupervisionField::Target:
            return {kTargetMax, "0.000", kTargetRangeMessage};
        case SupervisionField::Margin:
            return {kTargetMax, "0.000", kMarginRangeMessage};
        case SupervisionField::LifeWarning:
            return {kLifeWarningMax, "0.0", kLifeWarningRangeMessage};
        case SupervisionField::Quality:
            return {kQualityLevelMax, nullptr, kQualityRangeMessage};
        case SupervisionField::StabilityThreshold:
            return {kStabilityHzMax, "0.0", kStabilityThresholdRangeMessage};
        case SupervisionField::StabilityAlarm:
            break;
    }
    return {kStabilityHzMax, "0.0", kStabilityAlarmRangeMessage};
}

}  // namespace

EntryCheck CheckSupervision(SupervisionField field, std::string_view text) {
    const SupervisionRule rule = RuleOf(field);
    EntryCheck check;
    std::optional<double> value;
    if (rule.format == nullptr) {
        const std::optional<int32_t> whole = EntryWhole32(text);
        if (whole) value = *whole;
    } else {
        value = EntryNumber(text);
    }
    if (!value || *value < 0 || *value > rule.max) {
        check.message = rule.message;
        return check;
    }
    check.accepted = true;
    check.value = *value;
    check.shown = rule.format == nullptr ? std::to_string(static_cast<int32_t>(*value))
                                         : FormatNumber(*value, rule.format);
    return check;
}

void SetSupervision(SupervisionSettings& settings, SupervisionField field, double value) {
    switch (field) {
        case SupervisionField::Target:
            settings.target = value;
            break;
        case SupervisionField::Margin:
            settings.margin = value;
            break;
        case SupervisionField::LifeWarning:
            settings.lifeWarning = value;
            break;
        case SupervisionField::Quality:
            settings.quality = static_cast<int32_t>(value);
            break;
        case SupervisionField::StabilityThreshold:
            settings.stabilityThreshold = value;
            break;
        case SupervisionField::StabilityAlarm:
            settings.stabilityAlarm = value;
            break;
    }
}

}  // namespace zelvo
