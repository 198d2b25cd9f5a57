// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Format.hpp"

#include <cmath>
#include <cstdio>

#include "ZelvoError.hpp"

namespace zelvo {
namespace {

struct Pattern {
    int minIntegerDigits = 0;  // count of "0" before the point
    int decimals = 0;          // characters after the point
    bool hasPoint = false;
};

Pattern ParsePattern(std::string_view pattern) {
    Pattern p;
    size_t point = pattern.find('.');
    std::string_view integerPart = pattern.substr(0, point);
    for (char c : integerPart) {
        if (c == '0') {
            ++p.minIntegerDigits;
        } else if (c != '#') {
            throw ZelvoError(err::InvalidCall, "Invalid format pattern");
        }
    }
    if (point != std::string_view::npos) {
        p.hasPoint = true;
        for (char c : pattern.substr(point + 1)) {
            if (c != '0' && c != '#') throw ZelvoError(err::InvalidCall, "Invalid format pattern");
            ++p.decimals;
        }
    }
    return p;
}

// Decimal digits of |value| rounded half away from zero to `decimals` places. The
// value is first taken to 15 significant digits so that 2.675 rounds as written.
std::string RoundedDigits(double magnitude, int decimals, bool& isZero) {
    char sci[64];
    std::snprintf(sci, sizeof sci, "%.14e", magnitude);
    // sci = d.dddddddddddddde[+-]xx
    std::string mantissa;
    mantissa += sci[0];
    mantissa.append(sci + 2, 14);
    int exponent = std::atoi(sci + 17);
    // Digit string `mantissa` with the decimal point after position exponent + 1.
    int pointPos = exponent + 1;
    if (pointPos < 0) {
        mantissa = std::string(static_cast<size_t>(-pointPos), '0') + mantissa;
        pointPos = 0;
    }
    if (static_cast<int>(mantissa.size()) < pointPos + decimals + 1) {
        mantissa.append(static_cast<size_t>(pointPos + decimals + 1) - mantissa.size(), '0');
    }
    std::string kept = mantissa.substr(0, static_cast<size_t>(pointPos + decimals));
    bool roundUp = mantissa[static_cast<size_t>(pointPos + decimals)] >= '5';
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<size_t>(i)] == '9') kept[static_cast<size_t>(i--)] = '0';
        if (i >= 0) {
            ++kept[static_cast<size_t>(i)];
        } else {
            kept = '1' + kept;
            ++pointPos;
        }
    }
    isZero = kept.find_first_not_of('0') == std::string::npos;
    // Return with the point marked as position: integer digits then decimals.
    std::string integerDigits = kept.substr(0, static_cast<size_t>(pointPos));
    std::string decimalDigits = kept.substr(static_cast<size_t>(pointPos));
    size_t firstNonZero = integerDigits.find_first_not_of('0');
    integerDigits = firstNonZero == std::string::npos ? "" : integerDigits.substr(firstNonZero);
    return integerDigits + "." + decimalDigits;
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern) {
    if (!std::isfinite(value)) throw ZelvoError(err::Overflow, "Overflow");
    Pattern p = ParsePattern(pattern);
    bool isZero = false;
    std::string digits = RoundedDigits(std::fabs(value), p.decimals, isZero);
    size_t point = digits.find('.');
    std::string integerDigits = digits.substr(0, point);
    std::string decimalDigits = digits.substr(point + 1);
    if (static_cast<int>(integerDigits.size()) < p.minIntegerDigits) {
        integerDigits =
            std::string(static_cast<size_t>(p.minIntegerDigits) - integerDigits.size(), '0') +
            integerDigits;
    }
    std::string out;
    if (value < 0 && !isZero) out += '-';
    out += integerDigits;
    if (p.hasPoint) out += "." + decimalDigits;
    return out;
}

}  // namespace zelvo
