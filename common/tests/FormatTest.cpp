// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <limits>
#include <span>

#include "Format.hpp"
#include "ZelvoError.hpp"

using zelvo::FormatNumber;

namespace {
struct Row {
    double value;
    const char* pattern;
    const char* text;
};
}  // namespace

TEST(FormatNumber, FixedPointPatternsAndFailures) {
    // Stored settings: a period of 0.25 s as "25", a density of 2.7 as "2700", frequencies.
    const Row stored[] = {{25, "#00", "25"},          {2700, "#000", "2700"},
                          {5, "#00", "05"},           {6100000, "0000000", "6100000"},
                          {42, "0000000", "0000042"}, {0.25, "#.00", ".25"},
                          {1.5, "#.00", "1.50"},      {1.5, "0.00", "1.50"},
                          {1.08, "#0.000", "1.080"},  {0.5, "#0.000", "0.500"}};
    // Displays and the data log; whole digits are never cut.
    const Row display[] = {
        {12.345, "0.0", "12.3"}, {0, "0.000", "0.000"},      {5979012.3456, "0.00", "5979012.35"},
        {3.5, "00.00", "03.50"}, {7.25, "00.000", "07.250"}, {123, "00", "123"},
        {-1, "0.00", "-1.00"},   {-0.25, "#.00", "-.25"}};
    // Halves round away from zero on the decimal value; no minus zero.
    const Row halves[] = {{0.125, "0.00", "0.13"},   {2.675, "0.00", "2.68"},
                          {-0.125, "0.00", "-0.13"}, {9.995, "0.00", "10.00"},
                          {0.05, "0.0", "0.1"},      {2.5, "#00", "03"},
                          {-0.0001, "0.00", "0.00"}, {-0.0, "0.0", "0.0"}};
    for (const auto& rows : {std::span<const Row>(stored), std::span<const Row>(display),
                             std::span<const Row>(halves)}) {
        for (const Row& r : rows) {
            EXPECT_EQ(FormatNumber(r.value, r.pattern), r.text) << r.value << " " << r.pattern;
        }
    }
    // Non-finite values and bad patterns fail visibly.
    EXPECT_THROW(FormatNumber(std::numeric_limits<double>::quiet_NaN(), "0.0"), zelvo::ZelvoError);
    EXPECT_THROW(FormatNumber(std::numeric_limits<double>::infinity(), "0.0"), zelvo::ZelvoError);
    EXPECT_THROW(FormatNumber(1, "x.0"), zelvo::ZelvoError);
}
