#include <gtest/gtest.h>

#include "Windows1252.hpp"

using namespace kitforge;

TEST(Windows1252, EncodesLatinAndTheHighPunctuation) {
    std::string out, refused;
    ASSERT_TRUE(ToWindows1252("Caf\xC3\xA9 \xE2\x82\xAC 5 \xE2\x80\x9Cq\xE2\x80\x9D \xC3\xBF", out,
                              refused));
    EXPECT_EQ(out, "Caf\xE9 \x80 5 \x93q\x94 \xFF");
    EXPECT_EQ(FromWindows1252(out),
              "Caf\xC3\xA9 \xE2\x82\xAC 5 \xE2\x80\x9Cq\xE2\x80\x9D \xC3\xBF");
}

TEST(Windows1252, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    std::string back, refused;
    ASSERT_TRUE(ToWindows1252(FromWindows1252(all), back, refused));
    EXPECT_EQ(back, all);
}

TEST(Windows1252, RefusesWhatItCannotHold) {
    std::string out = "unchanged", refused;
    EXPECT_FALSE(ToWindows1252("Pozna\xC5\x84", out, refused));  // n with acute
    EXPECT_EQ(refused, "\xC5\x84");
    EXPECT_EQ(out, "unchanged");
    EXPECT_FALSE(ToWindows1252("\xF0\x9F\x98\x80", out, refused));  // emoji
    EXPECT_FALSE(ToWindows1252("bad \xC3", out, refused));          // cut sequence
    EXPECT_FALSE(ToWindows1252("\xC0\xAF", out, refused));          // overlong '/'
    EXPECT_FALSE(ToWindows1252("\xED\xA0\x80", out, refused));      // surrogate
}
