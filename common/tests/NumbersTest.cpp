#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "Numbers.hpp"
#include "Strings.hpp"
#include "ZelvoError.hpp"

using namespace zelvo;

TEST(RoundToInt, HalvesGoToEven) {
    EXPECT_EQ(RoundToInt32(2.5), 2);
    EXPECT_EQ(RoundToInt32(3.5), 4);
    EXPECT_EQ(RoundToInt32(-2.5), -2);
    EXPECT_EQ(RoundToInt32(0.5), 0);
    EXPECT_EQ(RoundToInt32(1.5), 2);
    EXPECT_EQ(RoundToInt32(2.51), 3);
    EXPECT_EQ(RoundToInt16(-32768.4), -32768);
    EXPECT_EQ(RoundToInt16(32767.4), 32767);
    EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
}

TEST(RoundToInt, OutOfRangeFailsWithOverflow) {
    try {
        RoundToInt16(32767.5);  // rounds to 32768
        FAIL() << "no failure";
    } catch (const ZelvoError& e) {
        EXPECT_EQ(e.Number(), err::Overflow);
    }
    EXPECT_THROW(RoundToInt16(40000), ZelvoError);
    EXPECT_THROW(RoundToInt32(3e9), ZelvoError);
    EXPECT_THROW(RoundToInt32(std::nan("")), ZelvoError);
    EXPECT_THROW(CheckedInt16(40000), ZelvoError);
    EXPECT_EQ(CheckedInt16(-32768), -32768);
    EXPECT_THROW(CheckedInt32(int64_t{1} << 31), ZelvoError);
}

TEST(LeadingNumber, ReadsThePrefixOnly) {
    EXPECT_DOUBLE_EQ(LeadingNumber("12.5 nm"), 12.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("   -3.25"), -3.25);
    EXPECT_DOUBLE_EQ(LeadingNumber("+7"), 7);
    EXPECT_DOUBLE_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("1e3x"), 1000);
    EXPECT_DOUBLE_EQ(LeadingNumber("2e"), 2);  // an exponent without digits is not part of it
    EXPECT_DOUBLE_EQ(LeadingNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber(""), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber("-"), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber("6,5"), 6);  // "," is never a decimal point
}

TEST(LeadingNumber, IgnoresTheUsersLocale) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no German locale";
    EXPECT_DOUBLE_EQ(LeadingNumber("2.7"), 2.7);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ParseNumber, AcceptsWholeDecimalTextsOnly) {
    EXPECT_EQ(ParseNumber(" 0.25 "), 0.25);
    EXPECT_EQ(ParseNumber("-4"), -4);
    EXPECT_EQ(ParseNumber("+4"), 4);
    EXPECT_EQ(ParseNumber("1E2"), 100);
    EXPECT_FALSE(ParseNumber("12abc"));
    EXPECT_FALSE(ParseNumber(""));
    EXPECT_FALSE(ParseNumber("1,5"));
    EXPECT_FALSE(ParseNumber("1e999"));  // beyond any double
}

TEST(ShortestNumberText, ReadsBackExactly) {
    EXPECT_EQ(ShortestNumberText(0.25), "0.25");
    EXPECT_EQ(ShortestNumberText(6100000), "6100000");
    EXPECT_EQ(ShortestNumberText(-3), "-3");
    double third = 1.0 / 3.0;
    EXPECT_EQ(std::stod(ShortestNumberText(third)), third);
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
