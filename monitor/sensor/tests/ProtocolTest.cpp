// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pure protocol unit: command texts, reply checks and the reading arithmetic
// against reference figures, without a bus.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ZelvoError.hpp"
#include "ZelvoProtocol.hpp"

namespace zelvo::protocol {
namespace {

TEST(ProtocolCommands, TextsArgumentsAndLineEnd) {
    const std::pair<std::string, std::string> texts[] = {
        {RevisionCommand(), "!@"},
        {ReadingCommand(0), "!A0"},
        {ReadingCommand(1), "!A1"},
        {GateCyclesCommand(GateCycles(0.25, 5000000)), "!B1250000"},
        {GateCyclesCommand(GateCycles(0.5, 5000001)), "!B2500000"},  // 2500000.5 to even
        {GateCyclesCommand(GateCycles(0.5, 5000003)), "!B2500002"},  // 2500001.5 to even
        {GateTimeCommand(GateTime(0.25)), "!C12500000"},
        {GateTimeCommand(GateTime(2.0)), "!C100000000"},
        {CommandLine("!A1"), "!A1\r\n"},
    };
    for (const auto& [text, expected] : texts) EXPECT_EQ(text, expected);
}

TEST(ProtocolReplies, ReadingRepliesGiveTheirStatusAndTicks) {
    struct Case {
        std::string reply;
        int32_t status;
        double ticks;
    };
    const Case cases[] = {
        {"!A41610702\r\n", ZelvoStatus::Success, 41610702},
        {"!a +41610702.4\r\n", ZelvoStatus::Success, 41610702.4},
        {"!A4 16\t107\n02\r\n", ZelvoStatus::Success, 41610702},  // blanks skipped
        {"!A\n\t41610702xyz", ZelvoStatus::Success, 41610702},
        {"!A4.1610702e7\r\n", ZelvoStatus::Success, 4.1610702},  // an exponent ends it
        {"!A1e-400", ZelvoStatus::Success, 1},
        {"!A1E999", ZelvoStatus::Success, 1},
        // Long numbers stay finite: nothing overflows.
        {"!A" + std::string(250, '9'), ZelvoStatus::Success, 1e250},
        {"!A0." + std::string(247, '0') + "1", ZelvoStatus::Success, 1e-248},
        {"!A-1\r\n", ZelvoStatus::SensorMinus1, 0},
        {"!A-2\r\n", ZelvoStatus::SensorMinus2, 0},
        {"!A0\r\n", ZelvoStatus::BadReadingValue, 0},
        {"!Aletters\r\n", ZelvoStatus::BadReadingValue, 0},
        {"!A-3\r\n", ZelvoStatus::BadReadingValue, 0},
        {"!A-1.5", ZelvoStatus::BadReadingValue, 0},
        {"!A", ZelvoStatus::BadReadingValue, 0},
        {"!", ZelvoStatus::BadReadingEcho, 0},
        {"", ZelvoStatus::BadReadingEcho, 0},
        {"!B41610702\r\n", ZelvoStatus::BadReadingEcho, 0},
        {"41610702\r\n", ZelvoStatus::BadReadingEcho, 0},
    };
    for (const Case& c : cases) {
        double ticks = -99;
        EXPECT_EQ(ReadingTicks(c.reply, ticks), c.status) << c.reply;
        EXPECT_EQ(ticks, c.ticks) << c.reply;
    }
}

TEST(ProtocolReplies, EchoesRevisionTextAndReplyBytes) {
    const std::tuple<std::string, std::string, int32_t> echoes[] = {
        {"!B1250000\r\n", "!B1250000", ZelvoStatus::Success},
        {"!c12500000\r\n", "!C12500000", ZelvoStatus::Success},
        {"!E\r\n", "!C12500000", ZelvoStatus::BadEcho},
        {"!", "!B1", ZelvoStatus::BadEcho},
        {"", "!@", ZelvoStatus::BadEcho},
    };
    for (const auto& [reply, command, status] : echoes) {
        EXPECT_EQ(CheckEcho(reply, command), status) << reply;
    }
    const std::tuple<std::string, int32_t, std::string> revisions[] = {
        {"!@ZV 2.31\r\n", ZelvoStatus::Success, "ZV 2.31"},
        {"!@\r\n", ZelvoStatus::Success, ""},
        {"!@x\r", ZelvoStatus::Success, ""},  // too short for text between echo and end
        {"ZV 2.31\r\n", ZelvoStatus::BadEcho, ""},
    };
    for (const auto& [reply, status, text] : revisions) {
        std::string revision = "old";
        EXPECT_EQ(RevisionText(reply, revision), status) << reply;
        EXPECT_EQ(revision, text) << reply;
    }
    EXPECT_EQ(ReplyText({'!', '\0', 'A', '1', '\0', '\0'}), "!A1");
    EXPECT_EQ(ReplyText(std::vector<char>(252, '\0')), "");
    EXPECT_EQ(TrimSpaces("  !A1\r\n  "), "!A1\r\n");
    EXPECT_EQ(TrimSpaces("   "), "");
}

TEST(ProtocolArithmetic, ThicknessMatchesPublishedFiguresAndFaultsThrow) {
    const Film film;  // density 1, Z 1, tooling 100
    // 1000 Hz below a 6 MHz crystal: 12.27 ng/cm2 per Hz, i.e. 1227.1 A at density 1.
    EXPECT_NEAR(Thickness(film, 6e6, 5999000), 1227.1, 0.05);
    EXPECT_EQ(Thickness(film, 6e6, 6e6), 0.0);
    EXPECT_NEAR(Thickness({2.70, 1.08, 100}, 6e6, 5999000), 454.5, 0.05);  // aluminium
    EXPECT_NEAR(Thickness({1, 1, 50}, 6e6, 5999000), 1227.1 / 2, 0.05);
    EXPECT_THAT([&] { Thickness(film, 6e6, 0.0); },
                ::testing::Throws<ZelvoError>(
                    ::testing::Property(&ZelvoError::Number, err::DivisionByZero)));
    EXPECT_THROW(Thickness(film, 6e6, NAN), ZelvoError);
    EXPECT_THROW(Thickness(film, 0.0, 5e6), ZelvoError);
}

TEST(ProtocolArithmetic, FrequencyLimitsAndLife) {
    // 0.25 s at 5.98 MHz: 1250000 cycles take 41610702 ticks of 1/199065600 s.
    EXPECT_NEAR(Frequency(1250000, 41610702), 5980000, 0.1);
    EXPECT_EQ(Frequency(0, 41610702), 0.0);
    EXPECT_THROW(Frequency(1250000, 0.0), ZelvoError);

    const CrystalLimits limits;  // 5, 6 and 6.1 MHz
    const std::tuple<double, bool, double> cases[] = {
        {6000000, true, 100.0}, {5980000, true, 98.0},         {5000000, true, 0.0},
        {6100000, true, 110.0}, {6100000.5, false, 110.00005}, {4999999, false, -0.0001},
    };
    for (const auto& [f, within, life] : cases) {
        EXPECT_EQ(WithinLimits(f, limits), within) << f;
        EXPECT_NEAR(Life(f, limits), life, 1e-6) << f;
    }
    EXPECT_EQ(Life(5980000, {5980000, 5980000, 6100000}), 0.0);  // initial = minimum

    EXPECT_TRUE(ValidLimits(limits));
    for (const CrystalLimits& bad :
         {CrystalLimits{5e6, 6.2e6, 6.1e6}, CrystalLimits{0.9e6, 6e6, 6.1e6},
          CrystalLimits{5e6, 6e6, 31e6}, CrystalLimits{6.05e6, 6e6, 6.1e6}}) {
        EXPECT_FALSE(ValidLimits(bad)) << bad.minimum << " " << bad.initial << " " << bad.maximum;
    }
}

TEST(ProtocolArithmetic, RateOverWholePeriodsOfAWrappingClock) {
    EXPECT_DOUBLE_EQ(ElapsedSeconds(0xFFFFFFC0u, 0x40u), 0.128);  // across the wrap
    EXPECT_DOUBLE_EQ(ElapsedSeconds(1000, 3500), 2.5);
    EXPECT_FALSE(WholePeriodElapsed(1.999, 2.0));
    EXPECT_TRUE(WholePeriodElapsed(2.0, 2.0));
    EXPECT_TRUE(WholePeriodElapsed(0.1, 0.1));
    EXPECT_DOUBLE_EQ(Rate(250, 210, 2.0), 20.0);
    EXPECT_DOUBLE_EQ(Rate(-10, 0, 4.0), -2.5);
    EXPECT_THROW(Rate(1, 0, 0.0), ZelvoError);
}

TEST(ProtocolRanges, PeriodFrequencyAndMaterial) {
    for (double p : {0.1, 0.25, 2.0}) EXPECT_TRUE(ValidPeriod(p)) << p;
    for (double p : {0.09, 2.01, double(NAN)}) EXPECT_FALSE(ValidPeriod(p)) << p;
    for (double f : {1e6, 30e6}) EXPECT_TRUE(ValidCrystalFrequency(f)) << f;
    for (double f : {999999.0, 30000001.0, double(NAN)})
        EXPECT_FALSE(ValidCrystalFrequency(f)) << f;
    EXPECT_TRUE(ValidMaterial(0.2, 0.1, 0));
    EXPECT_TRUE(ValidMaterial(99.99, 9.99, 999));
    const std::tuple<double, double, double> bad[] = {
        {0.19, 1, 100}, {100, 1, 100}, {1, 0.09, 100}, {1, 10, 100}, {1, 1, -1}, {1, 1, 1000},
    };
    for (const auto& [d, z, t] : bad)
        EXPECT_FALSE(ValidMaterial(d, z, t)) << d << " " << z << " " << t;
}

}  // namespace
}  // namespace zelvo::protocol
