// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Readings, material, zero point and limits of cZelvo
// against simulated sensors.

#include <gmock/gmock.h>

#include <cmath>
#include <functional>

#include "SensorFixture.hpp"

namespace zelvo::testing {
namespace {

using ReadingTest = SensorTest;

TEST_F(ReadingTest, ZeroPointAndRateOverAtLeastOneWholePeriodAcrossHalfPeriodSweeps) {
    cZelvo& zelvo = StartAndFind("devices=1;freq=5980000;rate=20;density=2.7");
    ASSERT_EQ(zelvo.Material("ZS0001", 2.7, 1.0, 100), ZelvoStatus::Success);
    ASSERT_EQ(zelvo.Period("ZS0001", 2.0), ZelvoStatus::Success);
    // The first reading of a new record sets the zero point itself.
    ReadingResult r{};
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_NEAR(r[kResultFrequency], 5980000, 0.5);
    EXPECT_EQ(r[kResultThickness], 0.0);
    EXPECT_EQ(r[kResultRate], 0.0);
    EXPECT_NEAR(r[kResultLife], 98.0, 0.001);  // 20 kHz used of the 1 MHz to end of life
    EXPECT_EQ(sim_.LastCommand(0), "!A0");     // the flag before the first good reading
    EXPECT_EQ(zelvo.InRangeFlag(), 1);
    // 10.5 s later 210 A have deposited at 20 A/s. Then, polled at half the period,
    // the reading in between repeats the rate and keeps the interval open, the next
    // one measures the full period; thickness moves on with every reading.
    const std::pair<double, double> steps[] = {{10.5, 0.210}, {1, 0.230}, {1, 0.250}};
    for (const auto& [seconds, thickness] : steps) {
        Advance(seconds);
        ASSERT_EQ(zelvo.GetReading("zs0001", r), ZelvoStatus::Success);  // any letter case
        EXPECT_EQ(sim_.LastCommand(0), "!A1");
        EXPECT_NEAR(r[kResultThickness], thickness, 0.0005);
        EXPECT_NEAR(r[kResultRate], 20.0, 0.05);
    }
    // Zero, then a reading at the same frequency: thickness 0 and rate 0.
    ASSERT_EQ(zelvo.Zero("ZS0001"), ZelvoStatus::Success);
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_NEAR(r[kResultThickness], 0.0, 1e-12);
    EXPECT_EQ(r[kResultRate], 0.0);
    EXPECT_EQ(zelvo.Zero("NOSUCH"), ZelvoStatus::NotFound);
}

TEST_F(ReadingTest, MaterialChecksArgumentsFirstAndKeepsTheZeroPointAtItsFrequency) {
    cZelvo& zelvo = StartAndFind("devices=1;freq=5990000;rate=10");
    EXPECT_EQ(zelvo.Material("ZS0001", NAN, 1.0, 100), ZelvoStatus::BadArgument);
    EXPECT_EQ(zelvo.Record(1).Density, 1.0);
    EXPECT_EQ(zelvo.Material("NOSUCH", 2.0, 1.0, 100), ZelvoStatus::NotFound);
    // An empty serial number never matches, not even a free record.
    EXPECT_EQ(zelvo.Material("", 2.0, 1.0, 100), ZelvoStatus::NotFound);
    EXPECT_EQ(zelvo.Record(2).Density, 1.0);
    // Before any zero point only the values are stored.
    ASSERT_EQ(zelvo.Material("ZS0001", 99.99, 9.99, 0), ZelvoStatus::Success);
    EXPECT_EQ(zelvo.Record(1).ZeroOffset, 0.0);
    EXPECT_EQ(zelvo.Record(1).Tooling, 0.0);
    // After it, half the tooling halves both the zero offset and the thickness above it.
    ASSERT_EQ(zelvo.Material("ZS0001", 1.0, 1.0, 100), 0);
    ReadingResult r{};
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), 0);
    Advance(30);
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), 0);
    const ZelvoRecord before = zelvo.Record(1);
    EXPECT_NEAR(before.LastThickness, 300.0, 1.0);
    ASSERT_EQ(zelvo.Material("ZS0001", 1.0, 1.0, 50), 0);
    EXPECT_NEAR(zelvo.Record(1).LastThickness, before.LastThickness / 2, 1e-6);
    EXPECT_NEAR(zelvo.Record(1).ZeroOffset, before.ZeroOffset / 2, 1e-6);
}

TEST_F(ReadingTest, ZeroAndMaterialRestartTheRateInterval) {
    struct Case {
        const char* name;
        std::function<int32_t(cZelvo&)> act;
        double rate;  // A/s measured over the first whole period afterwards
        double kA;    // thickness then
    };
    const Case cases[] = {
        {"Zero", [](cZelvo& z) { return z.Zero("ZS0001"); }, 20.0, 0.040},
        {"ZeroAll", [](cZelvo& z) { return z.ZeroAll(); }, 20.0, 0.040},
        // Twice the density halves the film since the first zero point.
        {"Material", [](cZelvo& z) { return z.Material("ZS0001", 2.0, 1.0, 100); }, 10.0, 0.055},
    };
    for (const Case& c : cases) {
        cZelvo& zelvo = StartAndFind("devices=1;rate=20");
        ASSERT_EQ(zelvo.Period("ZS0001", 2.0), 0);
        ReadingResult r{};
        // Readings at 0 s (zero point), 2 s (rate, a new interval) and 3.5 s (open).
        for (double step : {0.0, 2.0, 1.5}) {
            Advance(step);
            ASSERT_EQ(zelvo.GetReading("ZS0001", r), 0);
        }
        ASSERT_EQ(c.act(zelvo), 0) << c.name;
        // One second later the old interval would span a whole period: still 0.
        Advance(1);
        ASSERT_EQ(zelvo.GetReading("ZS0001", r), 0);
        EXPECT_EQ(r[kResultRate], 0.0) << c.name;
        Advance(1);
        ASSERT_EQ(zelvo.GetReading("ZS0001", r), 0);
        EXPECT_NEAR(r[kResultRate], c.rate, 0.05) << c.name;
        EXPECT_NEAR(r[kResultThickness], c.kA, 0.0005) << c.name;
    }
}

TEST_F(ReadingTest, RefusedLimitsChangeNothingAndOutOfLimitReadingsAreStoredOnly) {
    cZelvo& zelvo = StartAndFind("devices=3;d1.freq=6200000;d2.freq=4900000");
    EXPECT_EQ(zelvo.InitFreq(31e6, 5e6, 6e6), ZelvoStatus::BadArgument);
    EXPECT_EQ(zelvo.MaxFrequency(), 6100000.0);
    ReadingResult r{};
    EXPECT_EQ(zelvo.GetReading("ZS0002", r), ZelvoStatus::OutOfLimits);
    EXPECT_EQ(r[kResultFrequency], -1.0);
    EXPECT_NEAR(zelvo.Record(2).Frequency, 6200000, 1);  // stored all the same
    EXPECT_EQ(zelvo.InRangeFlag(), 0);
    EXPECT_EQ(zelvo.GetReading("ZS0003", r), ZelvoStatus::OutOfLimits);
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), 0);
    EXPECT_EQ(zelvo.InRangeFlag(), 1);
}

TEST_F(ReadingTest, PeriodAndRevisionCheckTheirEchoes) {
    cZelvo& zelvo = StartAndFind("devices=3;d0.revision=ZV 2.31;d1.fault=badc;d2.fault=noecho");
    ASSERT_EQ(zelvo.Period("ZS0001", 0.5), 0);
    EXPECT_EQ(zelvo.Record(1).GateCycles, 2500000);
    EXPECT_EQ(zelvo.Record(1).GateTime, 25000000);
    EXPECT_EQ(zelvo.Record(1).GatePeriod, 0.5);
    EXPECT_EQ(sim_.LastCommand(0), "!C25000000");
    EXPECT_EQ(zelvo.Period("ZS0001", 2.01), ZelvoStatus::BadArgument);
    EXPECT_EQ(zelvo.Period("NOSUCH", 1.0), ZelvoStatus::NotFound);
    // "!C" echo wrong: the acknowledged "!B" stays, the rest does not change.
    EXPECT_EQ(zelvo.Period("ZS0002", 1.0), ZelvoStatus::BadEcho);
    EXPECT_EQ(zelvo.Record(2).GateCycles, 5000000);
    EXPECT_EQ(zelvo.Record(2).GatePeriod, 0.25);
    EXPECT_EQ(zelvo.Record(2).GateTime, 0);  // never acknowledged
    // The revision is the text between echo and line end.
    std::string revision;
    ASSERT_EQ(zelvo.Revision("ZS0001", revision), 0);
    EXPECT_EQ(revision, "ZV 2.31");
    EXPECT_EQ(zelvo.Revision("ZS0003", revision), ZelvoStatus::BadEcho);
    EXPECT_EQ(zelvo.Revision("NOSUCH", revision), ZelvoStatus::NotFound);
}

TEST_F(ReadingTest, PollingTimerRaisesReadingsForGoodAndOutOfLimitSensors) {
    cZelvo& zelvo = StartAndFind("devices=3;d1.freq=7000000;d2.fault=minus1");
    std::vector<std::string> seen;
    zelvo.OnZelvoReading(
        [&](const std::string& serial, const ReadingResult&) { seen.push_back(serial); });
    EXPECT_EQ(zelvo.SetReadingTimer(500), 0);
    EXPECT_EQ(zelvo.ReadingTimer(), 500);
    EXPECT_TRUE(zelvo.ZelvoTimer().Enabled());
    EXPECT_EQ(zelvo.ZelvoTimer().Interval(), 500);
    ASSERT_EQ(desktop_.Timers().size(), 1u);
    desktop_.Timers()[0]->Fire();
    EXPECT_EQ(seen, (std::vector<std::string>{"ZS0001", "ZS0002"}));
    EXPECT_EQ(zelvo.ReadingTimer(0), 0);
    EXPECT_FALSE(zelvo.ZelvoTimer().Enabled());
    // A negative interval is refused and leaves the timer as it was.
    EXPECT_EQ(zelvo.ReadingTimer(400), 0);
    EXPECT_EQ(zelvo.SetReadingTimer(-1), ZelvoStatus::BadArgument);
    EXPECT_EQ(zelvo.ReadingTimer(), 400);
    EXPECT_TRUE(zelvo.ZelvoTimer().Enabled());
}

}  // namespace
}  // namespace zelvo::testing
