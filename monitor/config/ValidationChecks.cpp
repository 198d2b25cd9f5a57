// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ValidationChecks.hpp"

#include <cmath>

#include "Format.hpp"
#include "Numbers.hpp"
#include "Strings.hpp"
#include "ValidationMessages.hpp"
#include "ZelvoError.hpp"

namespace zelvo {
namespace {

EntryCheck Refuse(const char* message) {
    EntryCheck check;
    check.message = message;
    return check;
}

EntryCheck Accept(double value, std::string shown) {
    EntryCheck check;
    check.accepted = true;
    check.value = value;
    check.shown = std::move(shown);
    return check;
}

std::string MHzText(double hz) {
    return FormatNumber(hz / 1000000, "#0.000");
}

// True when the cell's leading number is 0 (letters and an empty cell included).
bool ReadsAsZero(std::string_view text) {
    try {
        return LeadingNumber(text) == 0;
    } catch (const ZelvoError&) {
        return false;  // a leading number too large for a double is far from zero
    }
}

struct ParameterRule {
    double min;
    double max;
    const char* format;
    const char* message;
};

const ParameterRule* RuleOf(int column) {
    static const ParameterRule kRules[] = {
        {kDensityMin, kDensityMax, "0.000", kDensityRangeMessage},
        {kZFactorMin, kZFactorMax, "0.000", kZFactorRangeMessage},
        {kToolingMin, kToolingMax, "0.00", kToolingRangeMessage},
    };
    if (column < kDensityColumn || column > kToolingColumn) return nullptr;
    return &kRules[column];
}

// A text that a sensor line holds whole: not too long, no separator, no control character.
EntryCheck CheckLineText(std::string_view text, size_t maxLength, const char* message) {
    std::string trimmed = Trim(text);
    bool storable = trimmed.size() <= maxLength;
    for (char c : trimmed) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ';' || byte < 0x20 || byte == 0x7F) storable = false;
    }
    return storable ? Accept(0, trimmed) : Refuse(message);
}

}  // namespace

std::optional<double> EntryNumber(std::string_view text) {
    std::optional<double> value = ParseNumber(text);
    if (value && !std::isfinite(*value)) return std::nullopt;
    return value;
}

std::optional<int32_t> EntryWhole32(std::string_view text) {
    std::optional<double> value = EntryNumber(text);
    if (!value) return std::nullopt;
    try {
        return RoundToInt32(*value);
    } catch (const ZelvoError&) {
        return std::nullopt;  // too large for its variable: not a usable number
    }
}

std::optional<int16_t> EntryWhole16(std::string_view text) {
    std::optional<double> value = EntryNumber(text);
    if (!value) return std::nullopt;
    try {
        return RoundToInt16(*value);
    } catch (const ZelvoError&) {
        return std::nullopt;
    }
}

EntryCheck CheckRunNumber(std::string_view text) {
    std::optional<int32_t> n = EntryWhole32(text);
    if (!n || *n < kRunNumberMin || *n > kRunNumberMax) return Refuse(kRunRangeMessage);
    return Accept(*n, std::to_string(*n));
}

EntryCheck CheckPeriod(std::string_view text) {
    std::optional<double> p = EntryNumber(text);
    if (!p || *p < kPeriodMin || *p > kPeriodMax) return Refuse(kPeriodRangeMessage);
    return Accept(*p, FormatNumber(*p, "#.00"));
}

EntryCheck CheckFilter(std::string_view text) {
    std::optional<int16_t> f = EntryWhole16(text);
    if (!f || *f < kFilterMin || *f > kFilterMax) return Refuse(kFilterRangeMessage);
    return Accept(*f, std::string(text));
}

EntryCheck CheckFrequency(int index, const std::array<std::string, 3>& boxTexts,
                          const std::array<double, 3>& storedMHz) {
    auto other = [&](int box) {
        std::optional<double> value = EntryNumber(boxTexts.at(static_cast<size_t>(box)));
        return value ? *value : storedMHz.at(static_cast<size_t>(box));
    };
    std::optional<double> typed = EntryNumber(boxTexts.at(static_cast<size_t>(index)));
    switch (index) {
        case kFreqMaxBox: {
            if (!typed || *typed > kFrequencyMaxMHz) return Refuse(kMaxFrequencyLimitMessage);
            if (other(kFreqInitialBox) > *typed) return Refuse(kMaxBelowInitialMessage);
            break;
        }
        case kFreqMinBox: {
            if (!typed || *typed < kFrequencyMinMHz) return Refuse(kMinFrequencyLimitMessage);
            if (other(kFreqInitialBox) < *typed) return Refuse(kMinAboveInitialMessage);
            break;
        }
        case kFreqInitialBox: {
            if (!typed || other(kFreqMaxBox) < *typed) return Refuse(kInitialAboveMaxMessage);
            if (other(kFreqMinBox) > *typed) return Refuse(kInitialBelowMinMessage);
            break;
        }
        default:
            throw ZelvoError(err::SubscriptOutOfRange, "No such frequency box");
    }
    double hz = *typed * 1000000;
    return Accept(hz, MHzText(hz));
}

ParameterCheck CheckParameter(int column, std::string_view cellText) {
    const ParameterRule* rule = RuleOf(column);
    if (rule == nullptr) throw ZelvoError(err::SubscriptOutOfRange, "No such parameter column");
    ParameterCheck check;
    std::string text(cellText);
    if (ReadsAsZero(text)) {
        text = FormatNumber(0, rule->format);
        check.zeroText = text;
    }
    std::optional<double> value = EntryNumber(text);
    if (!value || *value < rule->min || *value > rule->max) {
        check.message = rule->message;
        return check;
    }
    check.accepted = true;
    check.value = *value;
    check.shown = FormatNumber(*value, rule->format);
    return check;
}

EntryCheck CheckChannelName(std::string_view text) {
    return CheckLineText(text, kChannelNameMaxLength, kChannelNameMessage);
}

EntryCheck CheckSerialNumber(std::string_view text) {
    return CheckLineText(text, kSerialNumberMaxLength, kSerialNumberMessage);
}

std::string ParameterHint(int column, bool locked) {
    std::string hint;
    if (column == kDensityColumn) hint = kDensityHint;
    if (column == kZFactorColumn) hint = kZFactorHint;
    if (column == kToolingColumn) hint = kToolingHint;
    return hint + (locked ? kLockedHintEnd : kUnlockedHintEnd);
}

int32_t SweepIntervalFor(double period) {
    return RoundToInt32(period / 2 * 1000);
}

}  // namespace zelvo
