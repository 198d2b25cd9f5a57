// Thickness arithmetic, readings, material, zero point and limits of cZelvo
// against simulated sensors.

#include <cmath>

#include "SensorFixture.hpp"

namespace zelvo::testing {
namespace {

using ReadingTest = SensorTest;

ZelvoRecord Material(double density, double zRatio, double tooling) {
    ZelvoRecord record;
    record.Density = density;
    record.ZRatio = zRatio;
    record.Tooling = tooling;
    return record;
}

TEST_F(ReadingTest, ThicknessMatchesPublishedSauerbreyFigures) {
    cZelvo& zelvo = Start("devices=0");
    // 1000 Hz below a 6 MHz crystal: 12.27 ng/cm2 per Hz, i.e. 1227.1 A at density 1.
    EXPECT_NEAR(zelvo.Thickness(Material(1.0, 1.0, 100), 5999000), 1227.1, 0.05);
    // Aluminium: density 2.70, Z 1.08.
    EXPECT_NEAR(zelvo.Thickness(Material(2.70, 1.08, 100), 5999000), 454.5, 0.05);
    // Tooling scales linearly; no shift, no film.
    EXPECT_NEAR(zelvo.Thickness(Material(1.0, 1.0, 50), 5999000), 613.55, 0.05);
    EXPECT_EQ(zelvo.Thickness(Material(1.0, 1.0, 100), 6000000), 0.0);
}

TEST_F(ReadingTest, ThicknessRaisesArithmeticFaultsInsteadOfInfinity) {
    cZelvo& zelvo = Start("devices=0");
    try {
        zelvo.Thickness(Material(1.0, 1.0, 100), 0.0);
        FAIL() << "a zero frequency must raise";
    } catch (const ZelvoError& e) {
        EXPECT_EQ(e.Number(), err::DivisionByZero);
    }
    EXPECT_THROW(zelvo.Thickness(Material(1.0, 1.0, 100), NAN), ZelvoError);
}

TEST_F(ReadingTest, FirstReadingZeroesItselfAndReportsFrequencyAndLife) {
    cZelvo& zelvo = StartAndFind("devices=1;freq=5980000;rate=0");
    ASSERT_EQ(found_, 1);
    ReadingResult r{};
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_NEAR(r[kResultFrequency], 5980000, 0.5);
    EXPECT_EQ(r[kResultThickness], 0.0);
    EXPECT_EQ(r[kResultRate], 0.0);
    // 20 kHz used of the 1 MHz between uncoated and end of life.
    EXPECT_NEAR(r[kResultLife], 98.0, 0.001);
    EXPECT_EQ(zelvo.InRangeFlag(), 1);
    EXPECT_EQ(sim_.LastCommand(0), "!A0");  // the flag before the first good reading
    ASSERT_EQ(zelvo.GetReading("zs0001", r), ZelvoStatus::Success);  // any letter case
    EXPECT_EQ(sim_.LastCommand(0), "!A1");
}

TEST_F(ReadingTest, DepositionGivesThicknessAndRateOverAtLeastOnePeriod) {
    cZelvo& zelvo = StartAndFind("devices=1;freq=5980000;rate=20;density=2.7");
    ASSERT_EQ(zelvo.Material("ZS0001", 2.7, 1.0, 100), ZelvoStatus::Success);
    ASSERT_EQ(zelvo.Period("ZS0001", 2.0), ZelvoStatus::Success);
    ReadingResult r{};
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_EQ(r[kResultThickness], 0.0);

    // 10.5 s later: 210 A deposited at 20 A/s.
    desktop_.AdvanceMs(10500);
    sim_.SetTime(10.5);
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_NEAR(r[kResultThickness], 0.210, 0.0005);
    EXPECT_NEAR(r[kResultRate], 20.0, 0.05);

    // Polled at half the period: the reading in between repeats the rate, the next one
    // measures the full period; thickness moves on with every reading.
    desktop_.AdvanceMs(1000);
    sim_.SetTime(11.5);
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_NEAR(r[kResultRate], 20.0, 0.05);
    EXPECT_NEAR(r[kResultThickness], 0.230, 0.0005);
    desktop_.AdvanceMs(1000);
    sim_.SetTime(12.5);
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_NEAR(r[kResultRate], 20.0, 0.05);
    EXPECT_NEAR(r[kResultThickness], 0.250, 0.0005);

    // Zeroing restarts the rate: the next reading within the period reports 0.
    ASSERT_EQ(zelvo.Zero("ZS0001"), ZelvoStatus::Success);
    desktop_.AdvanceMs(1000);
    sim_.SetTime(13.5);
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_EQ(r[kResultRate], 0.0);
    EXPECT_NEAR(r[kResultThickness], 0.020, 0.0005);
    desktop_.AdvanceMs(1000);
    sim_.SetTime(14.5);
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_NEAR(r[kResultRate], 20.0, 0.05);
}

TEST_F(ReadingTest, ZeroThenSameFrequencyGivesZeroThicknessAndRate) {
    cZelvo& zelvo = StartAndFind("devices=2;rate=5");
    ReadingResult r{};
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), 0);
    sim_.SetTime(20);
    desktop_.AdvanceMs(20000);
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), 0);
    EXPECT_NEAR(r[kResultThickness], 0.1, 0.001);
    ASSERT_EQ(zelvo.Zero("ZS0001"), 0);
    EXPECT_NEAR(zelvo.Record(1).ZeroFrequency, zelvo.Record(1).Frequency, 1e-9);
    desktop_.AdvanceMs(1000);
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), 0);
    EXPECT_NEAR(r[kResultThickness], 0.0, 1e-9);
    EXPECT_NEAR(r[kResultRate], 0.0, 1e-9);
    EXPECT_EQ(zelvo.Zero("NOSUCH"), ZelvoStatus::NotFound);
    EXPECT_EQ(zelvo.ZeroAll(), 0);
}

TEST_F(ReadingTest, MaterialChecksAllArgumentsBeforeChangingAnything) {
    cZelvo& zelvo = StartAndFind("devices=1");
    EXPECT_EQ(zelvo.Material("ZS0001", 0.19, 1.0, 100), ZelvoStatus::BadArgument);
    EXPECT_EQ(zelvo.Material("ZS0001", 2.0, 10.0, 100), ZelvoStatus::BadArgument);
    EXPECT_EQ(zelvo.Material("ZS0001", 2.0, 1.0, 1000), ZelvoStatus::BadArgument);
    EXPECT_EQ(zelvo.Material("ZS0001", NAN, 1.0, 100), ZelvoStatus::BadArgument);
    EXPECT_EQ(zelvo.Record(1).Density, 1.0);
    EXPECT_EQ(zelvo.Material("NOSUCH", 2.0, 1.0, 100), ZelvoStatus::NotFound);
    EXPECT_EQ(zelvo.Material("", 2.0, 1.0, 100), ZelvoStatus::NotFound);
    EXPECT_EQ(zelvo.Record(2).Density, 1.0);  // a free record is not reachable by ""
    // Before any zero point only the values are stored.
    ASSERT_EQ(zelvo.Material("ZS0001", 99.99, 9.99, 0), ZelvoStatus::Success);
    EXPECT_EQ(zelvo.Record(1).ZeroOffset, 0.0);
    EXPECT_EQ(zelvo.Record(1).Tooling, 0.0);
}

TEST_F(ReadingTest, MaterialKeepsTheZeroPointAtItsFrequency) {
    cZelvo& zelvo = StartAndFind("devices=1;freq=5990000;rate=10");
    ReadingResult r{};
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), 0);
    sim_.SetTime(30);
    desktop_.AdvanceMs(30000);
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), 0);
    const double before = zelvo.Record(1).LastThickness;
    EXPECT_NEAR(before, 300.0, 1.0);
    // Half the tooling halves both the zero offset and the thickness above it.
    ASSERT_EQ(zelvo.Material("ZS0001", 1.0, 1.0, 50), 0);
    EXPECT_NEAR(zelvo.Record(1).LastThickness, before / 2, 1e-6);
    EXPECT_NEAR(zelvo.Record(1).ZeroOffset,
                zelvo.Thickness(zelvo.Record(1), zelvo.Record(1).ZeroFrequency), 1e-9);
}

TEST_F(ReadingTest, FrequencyLimitsAndLife) {
    cZelvo& zelvo = StartAndFind("devices=3;d1.freq=6200000;d2.freq=4900000");
    EXPECT_EQ(zelvo.InitFreq(31e6, 5e6, 6e6), ZelvoStatus::BadArgument);
    EXPECT_EQ(zelvo.InitFreq(6.1e6, 5e6, 6.2e6), ZelvoStatus::BadArgument);
    EXPECT_EQ(zelvo.InitFreq(6.1e6, 0.9e6, 6e6), ZelvoStatus::BadArgument);
    EXPECT_EQ(zelvo.MaxFrequency(), 6100000.0);
    ReadingResult r{};
    EXPECT_EQ(zelvo.GetReading("ZS0002", r), ZelvoStatus::OutOfLimits);
    EXPECT_EQ(r[kResultFrequency], -1.0);
    EXPECT_NEAR(zelvo.Record(2).Frequency, 6200000, 1);  // stored all the same
    EXPECT_EQ(zelvo.InRangeFlag(), 0);
    EXPECT_EQ(zelvo.GetReading("ZS0003", r), ZelvoStatus::OutOfLimits);
    // Initial frequency equal to the minimum: life 0.
    ASSERT_EQ(zelvo.InitFreq(6.1e6, 5.98e6, 5.98e6), 0);
    ASSERT_EQ(zelvo.GetReading("ZS0001", r), 0);
    EXPECT_EQ(r[kResultLife], 0.0);
    EXPECT_EQ(zelvo.InRangeFlag(), 1);
}

TEST_F(ReadingTest, PeriodSendsRoundedGateArgumentsAndStoresThemOnAcknowledge) {
    cZelvo& zelvo = StartAndFind("devices=2;d1.fault=badc");
    ASSERT_EQ(zelvo.InitFreq(6.1e6, 5000001, 6e6), 0);
    ASSERT_EQ(zelvo.Period("ZS0001", 0.5), 0);
    EXPECT_EQ(zelvo.Record(1).GateCycles, 2500000);  // 2500000.5 rounds to even
    EXPECT_EQ(zelvo.Record(1).GateTime, 25000000);
    EXPECT_EQ(zelvo.Record(1).GatePeriod, 0.5);
    EXPECT_EQ(sim_.LastCommand(0), "!C25000000");
    EXPECT_EQ(zelvo.Period("ZS0001", 2.01), ZelvoStatus::BadArgument);
    EXPECT_EQ(zelvo.Period("ZS0001", 0.09), ZelvoStatus::BadArgument);
    EXPECT_EQ(zelvo.Period("NOSUCH", 1.0), ZelvoStatus::NotFound);
    // "!C" echo wrong: the acknowledged "!B" stays, the rest does not change.
    EXPECT_EQ(zelvo.Period("ZS0002", 1.0), ZelvoStatus::BadEcho);
    EXPECT_EQ(zelvo.Record(2).GateCycles, 5000001);
    EXPECT_EQ(zelvo.Record(2).GatePeriod, 0.25);
    EXPECT_EQ(zelvo.Record(2).GateTime, 0);  // never acknowledged
}

TEST_F(ReadingTest, RevisionIsTheTextBetweenEchoAndLineEnd) {
    cZelvo& zelvo = StartAndFind("devices=2;d0.revision=ZV 2.31;d1.fault=noecho");
    std::string revision;
    ASSERT_EQ(zelvo.Revision("ZS0001", revision), 0);
    EXPECT_EQ(revision, "ZV 2.31");
    EXPECT_EQ(zelvo.Revision("ZS0002", revision), ZelvoStatus::BadEcho);
    EXPECT_EQ(zelvo.Revision("NOSUCH", revision), ZelvoStatus::NotFound);
}

TEST_F(ReadingTest, PollingTimerRaisesReadingsForGoodAndOutOfLimitSensors) {
    cZelvo& zelvo = StartAndFind("devices=3;d1.freq=7000000;d2.fault=minus1");
    std::vector<std::string> seen;
    zelvo.OnZelvoReading(
        [&](const std::string& serial, const ReadingResult&) { seen.push_back(serial); });
    zelvo.SetReadingTimer(500);
    EXPECT_EQ(zelvo.ReadingTimer(), 500);
    EXPECT_TRUE(zelvo.ZelvoTimer().Enabled());
    EXPECT_EQ(zelvo.ZelvoTimer().Interval(), 500);
    ASSERT_EQ(desktop_.Timers().size(), 1u);
    desktop_.Timers()[0]->Fire();
    EXPECT_EQ(seen, (std::vector<std::string>{"ZS0001", "ZS0002"}));
    zelvo.ReadingTimer(0);
    EXPECT_FALSE(zelvo.ZelvoTimer().Enabled());
    EXPECT_THROW(zelvo.SetReadingTimer(-1), ZelvoError);
}

TEST_F(ReadingTest, DefaultsOfANewManager) {
    cZelvo& zelvo = Start("devices=0");
    EXPECT_EQ(zelvo.MinFrequency(), 5000000.0);
    EXPECT_EQ(zelvo.InitialFrequency(), 6000000.0);
    EXPECT_EQ(zelvo.FoundCount(), 0);
    EXPECT_EQ(zelvo.CommState(), 0);
    EXPECT_EQ(zelvo.ReadingInterval(), 0);
    for (int i = 0; i < kZelvoRecordCount; ++i) {
        EXPECT_EQ(zelvo.Record(i).GatePeriod, 0.25);
        EXPECT_EQ(zelvo.Record(i).Tooling, 100.0);
    }
    EXPECT_THROW(zelvo.Record(33), ZelvoError);
}

}  // namespace
}  // namespace zelvo::testing
