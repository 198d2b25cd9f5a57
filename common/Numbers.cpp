// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Numbers.hpp"

#include <charconv>
#include <cmath>
#include <limits>

#include "ZelvoError.hpp"

namespace zelvo {
namespace {

ZelvoError OverflowError() {
    return ZelvoError(err::Overflow, "Overflow");
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) throw OverflowError();
    return std::nearbyint(value);  // default rounding mode: to nearest, ties to even
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the number at the start of text (after blanks are skipped by the
// caller): sign, digits, point, digits, exponent. 0 when there is no digit.
size_t NumberLength(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < text.size() && IsDigit(text[j])) ++j, ++expDigits;
        if (expDigits > 0) i = j;
    }
    return i;
}

double ConvertNumber(std::string_view number) {
    if (!number.empty() && number.front() == '+') number.remove_prefix(1);
    double value = 0;
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) throw OverflowError();
    if (ec != std::errc() || ptr != number.data() + number.size()) {
        throw ZelvoError(err::TypeMismatch, "Type mismatch");
    }
    return value;
}

}  // namespace

int32_t RoundToInt32(double value) {
    double r = RoundHalfEven(value);
    if (r < std::numeric_limits<int32_t>::min() || r > std::numeric_limits<int32_t>::max()) {
        throw OverflowError();
    }
    return static_cast<int32_t>(r);
}

int16_t RoundToInt16(double value) {
    double r = RoundHalfEven(value);
    if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max()) {
        throw OverflowError();
    }
    return static_cast<int16_t>(r);
}

int16_t CheckedInt16(int64_t value) {
    if (value < std::numeric_limits<int16_t>::min() ||
        value > std::numeric_limits<int16_t>::max()) {
        throw OverflowError();
    }
    return static_cast<int16_t>(value);
}

int32_t CheckedInt32(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min() ||
        value > std::numeric_limits<int32_t>::max()) {
        throw OverflowError();
    }
    return static_cast<int32_t>(value);
}

double LeadingNumber(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) ++start;
    text.remove_prefix(start);
    size_t length = NumberLength(text);
    if (length == 0) return 0;
    return ConvertNumber(text.substr(0, length));
}

std::optional<double> ParseNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    size_t length = NumberLength(text);
    if (length == 0 || length != text.size()) return std::nullopt;
    try {
        return ConvertNumber(text);
    } catch (const ZelvoError&) {
        return std::nullopt;
    }
}

std::string ShortestNumberText(double value) {
    char buffer[64];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc()) throw OverflowError();
    return std::string(buffer, ptr);
}

}  // namespace zelvo
