#include <gtest/gtest.h>

#include "Format.hpp"
#include "ZelvoError.hpp"

using zelvo::FormatNumber;

TEST(FormatNumber, StoredSettingsForms) {
    EXPECT_EQ(FormatNumber(0.25 * 100, "#00"), "25");  // a period of 0.25 s stored
    EXPECT_EQ(FormatNumber(2.7 * 1000, "#000"), "2700");
    EXPECT_EQ(FormatNumber(5, "#00"), "05");
    EXPECT_EQ(FormatNumber(6100000, "0000000"), "6100000");
    EXPECT_EQ(FormatNumber(42, "0000000"), "0000042");
    EXPECT_EQ(FormatNumber(0.25, "#.00"), ".25");
    EXPECT_EQ(FormatNumber(1.5, "#.00"), "1.50");
    EXPECT_EQ(FormatNumber(1.5, "0.00"), "1.50");
    EXPECT_EQ(FormatNumber(1.08, "#0.000"), "1.080");
    EXPECT_EQ(FormatNumber(0.5, "#0.000"), "0.500");
}

TEST(FormatNumber, DisplayAndLogPatterns) {
    EXPECT_EQ(FormatNumber(12.345, "0.0"), "12.3");
    EXPECT_EQ(FormatNumber(0, "0.000"), "0.000");
    EXPECT_EQ(FormatNumber(5979012.3456, "0.00"), "5979012.35");
    EXPECT_EQ(FormatNumber(3.5, "00.00"), "03.50");
    EXPECT_EQ(FormatNumber(7.25, "00.000"), "07.250");
    EXPECT_EQ(FormatNumber(3, "00"), "03");
    EXPECT_EQ(FormatNumber(123, "00"), "123");  // never cut
    EXPECT_EQ(FormatNumber(-1, "0.00"), "-1.00");
    EXPECT_EQ(FormatNumber(-0.25, "#.00"), "-.25");
}

TEST(FormatNumber, HalvesRoundAwayFromZeroOnTheDecimalValue) {
    EXPECT_EQ(FormatNumber(0.125, "0.00"), "0.13");
    EXPECT_EQ(FormatNumber(2.675, "0.00"), "2.68");  // binary 2.67499... still reads as written
    EXPECT_EQ(FormatNumber(-0.125, "0.00"), "-0.13");
    EXPECT_EQ(FormatNumber(9.995, "0.00"), "10.00");
    EXPECT_EQ(FormatNumber(0.05, "0.0"), "0.1");
    EXPECT_EQ(FormatNumber(2.5, "#00"), "03");
}

TEST(FormatNumber, TinyNegativesDoNotShowAMinusZero) {
    EXPECT_EQ(FormatNumber(-0.0001, "0.00"), "0.00");
    EXPECT_EQ(FormatNumber(-0.0, "0.0"), "0.0");
}

TEST(FormatNumber, NonFiniteValuesAndBadPatternsFailVisibly) {
    EXPECT_THROW(FormatNumber(std::numeric_limits<double>::quiet_NaN(), "0.0"), zelvo::ZelvoError);
    EXPECT_THROW(FormatNumber(std::numeric_limits<double>::infinity(), "0.0"), zelvo::ZelvoError);
    EXPECT_THROW(FormatNumber(1, "x.0"), zelvo::ZelvoError);
}
