// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <utility>

#include "Numbers.hpp"
#include "Strings.hpp"
#include "ZelvoError.hpp"

using namespace zelvo;

TEST(RoundToInt, HalvesGoToEvenAndOutOfRangeFailsWithOverflow) {
    const std::pair<double, int32_t> rows[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {0.5, 0}, {1.5, 2}, {2.51, 3}, {2147483647.0, 2147483647}};
    for (auto [x, n] : rows) EXPECT_EQ(RoundToInt32(x), n) << x;
    EXPECT_EQ(RoundToInt16(-32768.4), -32768);
    EXPECT_EQ(RoundToInt16(32767.4), 32767);
    try {
        RoundToInt16(32767.5);  // rounds to 32768
        FAIL() << "no failure";
    } catch (const ZelvoError& e) {
        EXPECT_EQ(e.Number(), err::Overflow);
    }
    EXPECT_THROW(RoundToInt16(40000), ZelvoError);
    for (double x : {3e9, std::nan("")}) EXPECT_THROW(RoundToInt32(x), ZelvoError) << x;
    EXPECT_THROW(CheckedInt16(40000), ZelvoError);
    EXPECT_EQ(CheckedInt16(-32768), -32768);
    EXPECT_THROW(CheckedInt32(int64_t{1} << 31), ZelvoError);
}

// "2e": an exponent without digits is not part of the number; "," is never a decimal point.
TEST(LeadingNumber, ReadsThePrefixOnly) {
    const std::pair<const char*, double> rows[] = {
        {"12.5 nm", 12.5}, {"   -3.25", -3.25}, {"+7", 7}, {".5", 0.5}, {"1e3x", 1000},
        {"2e", 2},         {"abc", 0},          {"", 0},   {"-", 0},    {"6,5", 6}};
    for (auto [text, x] : rows) EXPECT_DOUBLE_EQ(LeadingNumber(text), x) << text;
}

TEST(LeadingNumber, IgnoresTheUsersLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale";
    EXPECT_DOUBLE_EQ(LeadingNumber("2.7"), 2.7);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ParseNumber, AcceptsWholeDecimalTextsOnlyAndShortestTextReadsBack) {
    const std::pair<const char*, double> rows[] = {
        {" 0.25 ", 0.25}, {"-4", -4}, {"+4", 4}, {"1E2", 100}};
    for (auto [text, x] : rows) EXPECT_EQ(ParseNumber(text), x) << text;
    for (const char* text : {"12abc", "", "1,5", "1e999"}) EXPECT_FALSE(ParseNumber(text)) << text;
    // The shortest text that reads back exactly.
    EXPECT_EQ(ShortestNumberText(0.25), "0.25");
    EXPECT_EQ(ShortestNumberText(6100000), "6100000");
    EXPECT_EQ(ShortestNumberText(-3), "-3");
    EXPECT_EQ(std::stod(ShortestNumberText(1.0 / 3.0)), 1.0 / 3.0);
}

TEST(Strings, CaseAndBlanks) {
    EXPECT_TRUE(EqualsNoCase("Application", "APPLICATION"));
    EXPECT_FALSE(EqualsNoCase("Graph", "Graphs"));
    EXPECT_EQ(ToUpper("ab1c"), "AB1C");
    EXPECT_EQ(Trim(" \t x y \t"), "x y");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    EXPECT_EQ(Split("a;;b", ';'), (std::vector<std::string>{"a", "", "b"}));
}
