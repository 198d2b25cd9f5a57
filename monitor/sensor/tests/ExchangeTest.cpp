// The exchange of one command and its reply checks: statuses for every kind of
// reply, the 0.1 s limit, re-entry while waiting and a wrapping clock.

#include <cmath>

#include "SensorFixture.hpp"

namespace zelvo::testing {
namespace {

using ExchangeTest = SensorTest;

struct ReplyCase {
    const char* config;  // of device 0
    int32_t status;
};

TEST_F(ExchangeTest, ReadingRepliesMapToTheirStatuses) {
    const ReplyCase cases[] = {
        {"d0.fault=minus1", ZelvoStatus::SensorMinus1},
        {"d0.fault=minus2", ZelvoStatus::SensorMinus2},
        {"d0.fault=zero", ZelvoStatus::BadReadingValue},
        {"d0.fault=letters", ZelvoStatus::BadReadingValue},
        {"d0.reply=!A-3%0D%0A", ZelvoStatus::BadReadingValue},
        {"d0.reply=!A-1.5", ZelvoStatus::BadReadingValue},
        {"d0.reply=!A", ZelvoStatus::BadReadingValue},
        {"d0.reply=!", ZelvoStatus::BadReadingEcho},
        {"d0.reply=!B41610702%0D%0A", ZelvoStatus::BadReadingEcho},
        {"d0.fault=noecho", ZelvoStatus::BadReadingEcho},
        {"d0.fault=noreply", ZelvoStatus::CommFailure},
        {"d0.fault=nul", ZelvoStatus::CommFailure},
        {"d0.fault=lower", ZelvoStatus::Success},
        // Signs, fractions, blanks and embedded NULs are read like any number text.
        {"d0.reply=!a +41610702.4%0D%0A", ZelvoStatus::Success},
        {"d0.reply=!A41%00610702%0D%0A", ZelvoStatus::Success},
        {"d0.reply=!A4 16%09107%0A02%0D%0A", ZelvoStatus::Success},
        {"d0.reply=!A%0A%0941610702xyz", ZelvoStatus::Success},
        {"d0.reply=   !A41610702   ", ZelvoStatus::Success},
    };
    for (const ReplyCase& c : cases) {
        cZelvo& zelvo = StartAndFind(std::string("devices=1;rate=0;") + c.config);
        ReadingResult r{};
        EXPECT_EQ(zelvo.GetReading("ZS0001", r), c.status) << c.config;
        if (c.status == ZelvoStatus::Success) {
            EXPECT_NEAR(r[kResultFrequency], 5980000, 1) << c.config;
        }
        for (double v : r) EXPECT_TRUE(std::isfinite(v)) << c.config;
    }
    EXPECT_EQ(Messages(), "");
}

TEST_F(ExchangeTest, ALongReplyWithoutLineEndIsCutAtOneRead) {
    std::string garbage(300, 'x');
    cZelvo& zelvo = StartAndFind("devices=1;d0.reply=!A41610702" + garbage);
    ReadingResult r{};
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_NEAR(r[kResultFrequency], 5980000, 1);
    // The unread rest is flushed before the next command.
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::Success);
}

TEST_F(ExchangeTest, NoReplyEndsAfterOneTenthOfASecondWithoutSpinning) {
    cZelvo& zelvo = StartAndFind("devices=2;d0.fault=noreply");
    const uint32_t start = desktop_.Milliseconds();
    const int callsBefore = desktop_.ProcessEventsCalls();
    ReadingResult r{};
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::CommFailure);
    const uint32_t waited = desktop_.Milliseconds() - start;
    EXPECT_GT(waited, 100u);
    EXPECT_LE(waited, 102u);  // every empty read sleeps 1 ms of the (fake) clock
    EXPECT_GT(desktop_.ProcessEventsCalls() - callsBefore, 50);
    EXPECT_EQ(zelvo.CommState(), ZelvoStatus::CommFailure);
    // The next command starts from a clean state.
    EXPECT_EQ(zelvo.GetReading("ZS0002", r), ZelvoStatus::Success);
    EXPECT_EQ(zelvo.CommState(), ZelvoStatus::Success);
}

TEST_F(ExchangeTest, AWrappingClockDoesNotStallTheWait) {
    cZelvo& zelvo = StartAndFind("devices=1;d0.fault=noreply");
    desktop_.SetMilliseconds(0xFFFFFFC0u);  // wraps 64 ms into the wait
    ReadingResult r{};
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::CommFailure);
    EXPECT_LT(desktop_.Milliseconds(), 100u);
}

TEST_F(ExchangeTest, SlowRepliesCountOnlyWithinTheLimit) {
    Start("devices=2;d0.fault=slow:60;d1.fault=slow:150");
    FollowDesktopClock();
    ASSERT_EQ(zelvo_->FindZelvos(serials_), 2);
    ReadingResult r{};
    EXPECT_EQ(zelvo_->GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_EQ(zelvo_->GetReading("ZS0002", r), ZelvoStatus::CommFailure);
}

TEST_F(ExchangeTest, OnlyTheFirstPieceOfASplitReplyCounts) {
    cZelvo& zelvo = StartAndFind("devices=1;d0.fault=split");
    // "!A41610702\r\n" arrives as "!A4161" and "0702\r\n"; the first piece alone
    // is taken, so the frequency comes out ten thousand times too high.
    ReadingResult r{};
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::OutOfLimits);
    EXPECT_NEAR(zelvo.Record(1).Frequency, 1250000 * 199065600.0 / 4161, 1);
    std::string revision;
    EXPECT_EQ(zelvo.Revision("ZS0001", revision), ZelvoStatus::Success);
}

TEST_F(ExchangeTest, ASecondExchangeDuringTheWaitGetsBusyAndSendsNothing) {
    Start("devices=2;d0.fault=slow:20");
    FollowDesktopClock();
    ASSERT_EQ(zelvo_->FindZelvos(serials_), 2);
    std::vector<int32_t> nested;
    ReadingResult inner{};
    desktop_.SetOnProcessEvents([&] {
        SyncClock();
        if (nested.empty()) {
            nested.push_back(zelvo_->GetReading("ZS0002", inner));
            nested.push_back(zelvo_->Period("ZS0002", 1.0));
            nested.push_back(zelvo_->CommState());
        }
    });
    const int64_t sentBefore = sim_.CommandCount(1);
    ReadingResult r{};
    EXPECT_EQ(zelvo_->GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_EQ(nested, (std::vector<int32_t>{ZelvoStatus::Busy, ZelvoStatus::Busy, 1}));
    EXPECT_EQ(sim_.CommandCount(1), sentBefore);
    EXPECT_EQ(zelvo_->Record(2).GatePeriod, 0.25);
}

TEST_F(ExchangeTest, InitFreqClearsTheExchangeState) {
    cZelvo& zelvo = StartAndFind("devices=1;d0.fault=noreply");
    ReadingResult r{};
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::CommFailure);
    EXPECT_EQ(zelvo.InitFreq(6.1e6, 5e6, 6e6), 0);
    EXPECT_EQ(zelvo.CommState(), 0);
}

TEST_F(ExchangeTest, UnpluggedOrVanishedSensorsFailWithoutHarm) {
    cZelvo& zelvo = StartAndFind("devices=3;d0.fault=unplug:3;d1.fault=vanish:3");
    // Discovery used two exchanges ("!B", "!C") of each sensor.
    ReadingResult r{};
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::CommFailure);
    EXPECT_EQ(zelvo.GetReading("ZS0002", r), ZelvoStatus::Success);
    const uint32_t start = desktop_.Milliseconds();
    EXPECT_EQ(zelvo.GetReading("ZS0002", r), ZelvoStatus::CommFailure);  // written, then gone
    EXPECT_LT(desktop_.Milliseconds() - start, 100u);  // a failed read ends the wait
    const ZelvoRecord before = zelvo.Record(2);
    EXPECT_EQ(zelvo.GetReading("ZS0002", r), ZelvoStatus::CommFailure);
    EXPECT_EQ(zelvo.Record(2).Frequency, before.Frequency);
    EXPECT_EQ(zelvo.GetReading("ZS0003", r), ZelvoStatus::Success);
    // The next discovery no longer finds them.
    EXPECT_EQ(zelvo.FindZelvos(serials_), 1);
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::NotFound);
}

TEST_F(ExchangeTest, AReadingNumberEndsBeforeAnExponent) {
    // "e" cannot continue a reading: these read as 4.1610702, 1 and 1, far too few
    // ticks for a crystal inside the limits, and nothing overflows.
    const std::string longFraction = "0." + std::string(247, '0') + "1";  // one 252-byte read
    for (const std::string& reply :
         {std::string("!A4.1610702e7%0D%0A"), std::string("!A1e-400%0D%0A"), std::string("!A1E999"),
          "!A" + longFraction, "!A" + std::string(250, '9')}) {
        cZelvo& zelvo = StartAndFind("devices=1;d0.reply=" + reply);
        ReadingResult r{};
        EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::OutOfLimits) << reply;
        EXPECT_EQ(r[kResultFrequency], -1.0) << reply;
        EXPECT_TRUE(std::isfinite(zelvo.Record(1).Frequency)) << reply;
    }
    EXPECT_EQ(Messages(), "");
    EXPECT_EQ(ErrHandler().StackPointer(), 0);
}

}  // namespace
}  // namespace zelvo::testing
