// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "Windows1252.hpp"

using namespace zelvo;

TEST(Windows1252, EncodesWhatItCanHoldAndEveryByteRoundTrips) {
    std::string out, refused;
    const std::string utf8 = "Caf\xC3\xA9 \xE2\x82\xAC 5 \xE2\x80\x9Cq\xE2\x80\x9D \xC3\xBF";
    ASSERT_TRUE(ToWindows1252(utf8, out, refused));
    EXPECT_EQ(out, "Caf\xE9 \x80 5 \x93q\x94 \xFF");
    EXPECT_EQ(FromWindows1252(out), utf8);
    std::string all, back;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    ASSERT_TRUE(ToWindows1252(FromWindows1252(all), back, refused));
    EXPECT_EQ(back, all);
}

TEST(Windows1252, RefusesWhatItCannotHold) {
    std::string out = "unchanged", refused;
    EXPECT_FALSE(ToWindows1252("Pozna\xC5\x84", out, refused));  // n with acute
    EXPECT_EQ(refused, "\xC5\x84");
    EXPECT_EQ(out, "unchanged");
    // emoji, cut sequence, overlong '/', surrogate
    for (const char* bad : {"\xF0\x9F\x98\x80", "bad \xC3", "\xC0\xAF", "\xED\xA0\x80"})
        EXPECT_FALSE(ToWindows1252(bad, out, refused)) << bad;
}

TEST(Windows1252, TableBothWaysWithReplacementAndEitherKindAsUtf8) {
    const char* rows[][2] = {{"\x7F", "\x7F"},
                             {"\x80", "\xE2\x82\xAC"},
                             {"\x81", "\xC2\x81"},
                             {"\x9D", "\xC2\x9D"},
                             {"\x9F", "\xC5\xB8"},
                             {"\xA0", "\xC2\xA0"},
                             {"M\xFCller", "M\xC3\xBCller"}};
    for (const auto& [windows1252, utf8] : rows) {
        EXPECT_EQ(FromWindows1252(windows1252), utf8) << utf8;
        EXPECT_EQ(ToWindows1252Replacing(utf8), windows1252) << utf8;
        EXPECT_EQ(AsUtf8(windows1252), utf8) << utf8;
        EXPECT_EQ(AsUtf8(utf8), utf8) << utf8;
    }
    // n with acute, emoji, a cut sequence
    EXPECT_EQ(ToWindows1252Replacing("Pozna\xC5\x84 \xF0\x9F\x98\x80 \xC3"), "Pozna? ? ?");
}
