// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One exchange of a command and its reply through the simulator: one case for
// each way an exchange ends (the reply rules themselves are checked on the
// protocol alone), the 0.1 s limit on a wrapping clock, re-entry while waiting,
// sensors that go and come back, and the wire trace.

#include <gmock/gmock.h>

#include <cmath>
#include <fstream>
#include <regex>

#include "SensorFixture.hpp"

namespace zelvo::testing {
namespace {

using ExchangeTest = SensorTest;

TEST_F(ExchangeTest, EachWayAnExchangeEndsGivesItsStatusTwiceInARow) {
    const std::pair<std::string, int32_t> cases[] = {
        {"d0.fault=minus1", ZelvoStatus::SensorMinus1},  // a number the sensor sent
        {"d0.fault=noecho", ZelvoStatus::BadReadingEcho},
        {"d0.fault=noreply", ZelvoStatus::CommFailure},
        {"d0.fault=nul", ZelvoStatus::CommFailure},  // NUL bytes alone are no reply
        // Only the first piece of a split reply counts: "!A4161" is far too few ticks.
        {"d0.fault=split", ZelvoStatus::OutOfLimits},
        {"d0.reply=   !A41610702   ", ZelvoStatus::Success},
        // Longer than one read and without a line end: the rest is flushed unread.
        {"d0.reply=!A41610702" + std::string(300, 'x'), ZelvoStatus::Success},
    };
    for (const auto& [config, status] : cases) {
        cZelvo& zelvo = StartAndFind("devices=1;rate=0;" + config);
        for (int again = 0; again < 2; ++again) {
            ReadingResult r{};
            EXPECT_EQ(zelvo.GetReading("ZS0001", r), status) << config;
            if (status == ZelvoStatus::Success) {
                EXPECT_NEAR(r[kResultFrequency], 5980000, 1) << config;
            }
            for (double v : r) EXPECT_TRUE(std::isfinite(v)) << config;
        }
    }
    EXPECT_TRUE(desktop_.Messages().empty());
}

TEST_F(ExchangeTest, NoReplyEndsAfterOneTenthOfASecondWithoutSpinning) {
    cZelvo& zelvo = StartAndFind("devices=2;d0.fault=noreply");
    const uint32_t start = 0xFFFFFFC0u;  // the clock wraps 64 ms into the wait
    desktop_.SetMilliseconds(start);
    const int callsBefore = desktop_.ProcessEventsCalls();
    ReadingResult r{};
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::CommFailure);
    const uint32_t waited = desktop_.Milliseconds() - start;
    EXPECT_GT(waited, 100u);
    EXPECT_LE(waited, 102u);  // every empty read sleeps 1 ms of the (fake) clock
    EXPECT_GT(desktop_.ProcessEventsCalls() - callsBefore, 50);
    EXPECT_EQ(zelvo.CommState(), ZelvoStatus::CommFailure);
    // The next command starts from a clean state; InitFreq clears a failed state.
    EXPECT_EQ(zelvo.GetReading("ZS0002", r), ZelvoStatus::Success);
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::CommFailure);
    EXPECT_EQ(zelvo.InitFreq(6.1e6, 5e6, 6e6), 0);
    EXPECT_EQ(zelvo.CommState(), 0);
}

TEST_F(ExchangeTest, SlowRepliesCountWithinTheLimitAndASecondExchangeMeanwhileGetsBusy) {
    Start("devices=2;d0.fault=slow:60;d1.fault=slow:150");
    FollowDesktopClock();
    ASSERT_EQ(zelvo_->FindZelvos(serials_), 2);
    std::vector<int32_t> nested;
    ReadingResult inner{};
    FollowDesktopClock([&] {
        if (!nested.empty()) return;
        nested.push_back(zelvo_->GetReading("ZS0002", inner));
        nested.push_back(zelvo_->Period("ZS0002", 1.0));
        nested.push_back(zelvo_->CommState());
        // Discovery waits for the exchange: it closes and renumbers nothing.
        DiscoveryList during;
        nested.push_back(zelvo_->FindZelvos(during));
        nested.push_back(during[1] == "ZS0002");
    });
    const int64_t sentBefore = sim_.CommandCount(1);
    ReadingResult r{};
    EXPECT_EQ(zelvo_->GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_EQ(nested, (std::vector<int32_t>{ZelvoStatus::Busy, ZelvoStatus::Busy, 1, 2, true}));
    EXPECT_EQ(sim_.Control("handles"), "2");
    EXPECT_EQ(sim_.CommandCount(1), sentBefore);
    EXPECT_EQ(zelvo_->Record(2).GatePeriod, 0.25);
    EXPECT_EQ(zelvo_->GetReading("ZS0002", r), ZelvoStatus::CommFailure);  // too slow
}

TEST_F(ExchangeTest, AGoneSensorIsNotFoundUntilTheNextDiscoveryFindsItAgain) {
    cZelvo& zelvo = StartAndFind("devices=4;d0.fault=unplug:3;d1.fault=vanish:3;rate=10");
    // Discovery used two exchanges ("!B", "!C") of each sensor.
    ReadingResult r{};
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::NotFound);  // write fails
    EXPECT_EQ(zelvo.GetReading("ZS0002", r), ZelvoStatus::Success);
    const ZelvoRecord before = zelvo.Record(2);
    const uint32_t start = desktop_.Milliseconds();
    EXPECT_EQ(zelvo.GetReading("ZS0002", r), ZelvoStatus::NotFound);  // written, then gone
    EXPECT_LT(desktop_.Milliseconds() - start, 100u);                 // a failed read ends the wait
    EXPECT_EQ(zelvo.Record(2).Frequency, before.Frequency);
    EXPECT_EQ(r, ReadingResult{});
    // Unplugged by hand: flushing fails. Gone sensors are not asked again.
    EXPECT_EQ(zelvo.GetReading("ZS0003", r), ZelvoStatus::Success);
    sim_.Control("unplug 2");
    EXPECT_EQ(zelvo.GetReading("ZS0003", r), ZelvoStatus::NotFound);
    const int sent = sim_.CommandCount(1);
    EXPECT_EQ(zelvo.GetReading("ZS0002", r), ZelvoStatus::NotFound);
    EXPECT_EQ(sim_.CommandCount(1), sent);
    EXPECT_EQ(zelvo.GetReading("ZS0004", r), ZelvoStatus::Success);
    EXPECT_EQ(sim_.Control("handles"), "1");  // the gone sensors' handles are closed
    EXPECT_TRUE(desktop_.Messages().empty());

    // Plugged in again: the next discovery finds it in its own record, zero point kept.
    Advance(10);
    sim_.Control("replug 2");
    EXPECT_EQ(zelvo.FindZelvos(serials_), 2);
    EXPECT_EQ(serials_[2], "ZS0003");
    ASSERT_EQ(zelvo.GetReading("ZS0003", r), ZelvoStatus::Success);
    EXPECT_NEAR(r[kResultThickness], 0.100, 0.0005);
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::NotFound);

    // Back between discoveries, a sensor whose record was given up takes a free record
    // afresh: it counts from its own first reading, not from the zero point of the
    // sensor that held that record before.
    sim_.Control("unplug 2");
    EXPECT_EQ(zelvo.FindZelvos(serials_), 1);
    Advance(10);
    sim_.Control("replug 2");
    ASSERT_EQ(zelvo.Reconnect("ZS0003"), ZelvoStatus::Success);
    ASSERT_EQ(zelvo.GetReading("ZS0003", r), ZelvoStatus::Success);
    EXPECT_EQ(r[kResultThickness], 0.0);
}

class WireTraceTest : public SensorTest {
  protected:
    ~WireTraceTest() override {
        ::unsetenv("ZELVO_TRACE_EXCHANGE");
        ::unsetenv("ZELVO_TRACE_MAX_MB");
        std::filesystem::remove(trace_);
        std::filesystem::remove_all(older_);
    }
    std::vector<std::string> TraceLines(const std::filesystem::path& file) const {
        std::ifstream in(file, std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    std::filesystem::path trace_ = std::filesystem::temp_directory_path() /
                                   ("zelvo-wire-" + std::to_string(::getpid()) + ".txt");
    std::filesystem::path older_ = trace_.string() + ".1";
};

TEST_F(WireTraceTest, EveryExchangeIsAppendedWithEscapedBytesBothStatusesAndElapsedTime) {
    std::filesystem::remove(trace_);
    ::setenv("ZELVO_TRACE_EXCHANGE", trace_.c_str(), 1);
    cZelvo& zelvo = StartAndFind(
        "devices=3;d0.reply=!A41%00610702%0D%0A;d1.fault=badc;"
        "d2.fault=noreply");
    ReadingResult r{};
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::Success);
    EXPECT_EQ(zelvo.GetReading("ZS0003", r), ZelvoStatus::CommFailure);
    EXPECT_EQ(zelvo.GetReading("NOSUCH", r), ZelvoStatus::NotFound);  // nothing sent
    // A good reply whose frequency (5.98 MHz) lies below the crystal's limits.
    ASSERT_EQ(zelvo.InitFreq(6.1e6, 6e6, 6.05e6), ZelvoStatus::Success);
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::OutOfLimits);
    const std::vector<std::string> lines = TraceLines(trace_);
    // Discovery sent "!B" and "!C" to the first two sensors and "!B" to the silent one.
    const std::string tail[] = {
        "ZS0001\t!B1250000\\r\\n\t!B1250000\\r\\n\t0\t0\t0",
        "ZS0001\t!C12500000\\r\\n\t!C12500000\\r\\n\t0\t0\t0",
        "ZS0002\t!B1250000\\r\\n\t!B1250000\\r\\n\t0\t0\t0",
        "ZS0002\t!C12500000\\r\\n\t!E\\r\\n\t0\t9\t0",  // a "COMM ERR" row
        "ZS0003\t!B1250000\\r\\n\t\t2\t2\t101",
        "ZS0001\t!A0\\r\\n\t!A41\\0610702\\r\\n\t0\t0\t0",
        "ZS0003\t!A1\\r\\n\t\t2\t2\t101",                   // the flag of the good reading before
        "ZS0001\t!A1\\r\\n\t!A41\\0610702\\r\\n\t0\t8\t0",  // an "XTAL FAIL" row
    };
    ASSERT_EQ(lines.size(), std::size(tail));
    const std::regex time(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}\t)");
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(std::regex_search(lines[i], time, std::regex_constants::match_continuous))
            << lines[i];
        EXPECT_TRUE(lines[i].ends_with("\t" + tail[i])) << lines[i];
    }
    EXPECT_TRUE(desktop_.Messages().empty());
}

TEST_F(WireTraceTest, EscapesEveryNonPrintingByteAndReportsAFileItCannotOpenOrWrite) {
    EXPECT_EQ(WireTrace::Escape(std::string("a\\b\r\n\t\0\x7f\x80\xff~ ", 12)),
              "a\\\\b\\r\\n\\t\\0\\x7F\\x80\\xFF~ ");
    ::setenv("ZELVO_TRACE_EXCHANGE", "/nonexistent/folder/trace.txt", 1);
    cZelvo& zelvo = StartAndFind("devices=1");
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_NE(desktop_.Messages()[0].text.find("/nonexistent/folder/trace.txt"), std::string::npos);
    EXPECT_EQ(found_, 1);  // the sensors work without the trace
    ReadingResult r{};
    EXPECT_EQ(zelvo.GetReading("ZS0001", r), ZelvoStatus::Success);

    // A trace that cannot be written is reported once and then left off.
    desktop_.ClearMessages();
    ::setenv("ZELVO_TRACE_EXCHANGE", "/dev/full", 1);
    cZelvo& full = StartAndFind("devices=1");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(full.GetReading("ZS0001", r), ZelvoStatus::Success);
    ASSERT_EQ(desktop_.Messages().size(), 1u);
    EXPECT_NE(desktop_.Messages()[0].text.find("/dev/full: cannot be written"), std::string::npos)
        << desktop_.Messages()[0].text;

    // A cap that is no whole number of MiB is reported once; the default applies.
    ::setenv("ZELVO_TRACE_EXCHANGE", trace_.c_str(), 1);
    ::setenv("ZELVO_TRACE_MAX_MB", "64k", 1);
    StartAndFind("devices=1");
    ASSERT_EQ(desktop_.Messages().size(), 2u);
    EXPECT_NE(desktop_.Messages()[1].text.find("ZELVO_TRACE_MAX_MB=64k"), std::string::npos);
    EXPECT_EQ(TraceLines(trace_).size(), 2u);
}

TEST_F(WireTraceTest, PastItsCapTheTraceMovesToDotOneAndGoesOnInAFreshFile) {
    using ::testing::ElementsAre, ::testing::HasSubstr;
    std::unique_ptr<WireTrace> trace;
    ASSERT_FALSE(WireTrace::Open(trace_, trace, 60));  // one line of 42 bytes a file
    const Exchange exchange;
    for (const char* serial : {"ZS1", "ZS2", "ZS3"}) {
        ASSERT_FALSE(trace->Write(serial, "!B", exchange, 0));
    }
    EXPECT_THAT(TraceLines(older_), ElementsAre(HasSubstr("\tZS2\t")));
    EXPECT_THAT(TraceLines(trace_), ElementsAre(HasSubstr("\tZS3\t")));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(trace_.parent_path()))
        files += entry.path().string().starts_with(trace_.string());
    EXPECT_EQ(files, 2);

    // A rotation that fails is a failure to write.
    std::filesystem::remove(older_);
    std::filesystem::create_directories(older_ / "in-the-way");
    const auto error = trace->Write("ZS4", "!B", exchange, 0);
    ASSERT_TRUE(error);
    EXPECT_THAT(error->Description(), HasSubstr(older_.string()));
}

}  // namespace
}  // namespace zelvo::testing
