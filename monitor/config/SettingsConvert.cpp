// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsConvert.hpp"

#include "Format.hpp"
#include "Numbers.hpp"
#include "Strings.hpp"

namespace zelvo {
namespace {

// Values are quoted in descriptions; a long value is shortened so that the
// report stays readable.
std::string Quoted(const std::string& text) {
    constexpr size_t kShown = 40;
    std::string shown = text.size() > kShown ? text.substr(0, kShown) + "..." : text;
    return "\"" + shown + "\"";
}

ZelvoError Mismatch(const std::string& key, const std::string& text) {
    return ZelvoError(err::TypeMismatch, "Type mismatch: " + key + " = " + Quoted(text));
}

ZelvoError TooLarge(const std::string& key, const std::string& text) {
    return ZelvoError(err::Overflow, "Overflow: " + key + " = " + Quoted(text));
}

// The number made whole by `round` (which throws when it does not fit).
template <class Whole, class Round>
std::optional<ZelvoError> WholeOf(const std::string& key, const std::string& text, Whole& value,
                                  Round round) {
    double number = 0;
    if (auto failure = NumberSetting(key, text, number)) return failure;
    try {
        value = round(number);
    } catch (const ZelvoError&) {
        return TooLarge(key, text);
    }
    return std::nullopt;
}

}  // namespace

std::optional<ZelvoError> NumberSetting(const std::string& key, const std::string& text,
                                        double& value) {
    std::optional<double> number = ParseNumber(text);
    if (!number) return Mismatch(key, text);
    value = *number;
    return std::nullopt;
}

std::optional<ZelvoError> WholeSetting(const std::string& key, const std::string& text,
                                       int32_t& value) {
    return WholeOf(key, text, value, RoundToInt32);
}

std::optional<ZelvoError> Whole16Setting(const std::string& key, const std::string& text,
                                         int16_t& value) {
    return WholeOf(key, text, value, RoundToInt16);
}

std::optional<ZelvoError> FlagSetting(const std::string& key, const std::string& text,
                                      bool& value) {
    std::string word = Trim(text);
    if (EqualsNoCase(word, "true") || EqualsNoCase(word, "false")) {
        value = EqualsNoCase(word, "true");
        return std::nullopt;
    }
    std::optional<double> number = ParseNumber(word);
    if (!number) return Mismatch(key, text);
    value = *number != 0;
    return std::nullopt;
}

std::optional<ZelvoError> RangeCheck(const std::string& key, double value, double low,
                                     double high) {
    if (value >= low && value <= high) return std::nullopt;
    return ZelvoError(err::Overflow, "Overflow: " + key + " = " + ShortestNumberText(value) +
                                         " (allowed " + ShortestNumberText(low) + " to " +
                                         ShortestNumberText(high) + ")");
}

}  // namespace zelvo
