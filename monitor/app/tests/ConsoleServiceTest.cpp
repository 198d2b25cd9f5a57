// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zelvomon-cli as a lab service: records on standard output, runs that end on a
// signal or a closed pipe, and readings published to a broker that goes away
// and comes back.

#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "CliRun.hpp"
#include "MosquittoBroker.hpp"

namespace {

using zelvo::testing::CliRun;
using zelvo::testing::Eventually;
using zelvo::testing::Lines;
using zelvo::testing::MosquittoBroker;
using zelvo::testing::OnTopic;
using zelvo::testing::ReceivedMessage;
using zelvo::testing::TestSubscriber;
using Messages = std::vector<ReceivedMessage>;
using Edits = std::vector<std::pair<std::string, std::string>>;

class ConsoleServiceTest : public ::testing::Test {
  protected:
    // A first short run places the setup file; then the data log is turned on, the
    // period made 0.5 s (a sweep every 0.25 s) and the further edits made.
    void Prepare(Edits edits = {}) {
        ASSERT_EQ(cli_.Run("--seconds 0.1"), 0) << cli_.Err();
        edits.insert(edits.begin(), {{"LogEnabled=0", "LogEnabled=1"}, {"Period=25", "Period=50"}});
        cli_.Edit("zelvo.cfg", edits);
    }
    std::vector<std::string> Out() const { return Lines(cli_.Out(), "\n"); }
    std::vector<std::string> LogLines() const { return Lines(cli_.Read("Zelvo.log"), "\r\n"); }
    bool SweepsReach(size_t count) const {
        return Eventually([&] { return Out().size() >= count; });
    }
    // Publishing on, to the test's broker.
    static Edits MqttOn(int port) {
        return {{"[Mqtt]\r\nEnabled=0\r\nHost=localhost\r\nPort=1883",
                 "[Mqtt]\r\nEnabled=1\r\nHost=127.0.0.1\r\nPort=" + std::to_string(port)}};
    }

    CliRun cli_{"service"};
};

TEST_F(ConsoleServiceTest, EachFormatWritesOneRecordPerSweepWithPoints) {
    Prepare();
    ASSERT_EQ(cli_.Run("--seconds 1 --format csv"), 0) << cli_.Err();
    const std::vector<std::string> csv = Out();
    ASSERT_GE(csv.size(), 3u) << cli_.Err();
    EXPECT_EQ(csv[0].rfind("time,run_time_s,run,ch1_name,ch1_serial,ch1_rate_A_per_s,", 0), 0u);
    // The sensor read, the channels without one, and numbers with a point under the
    // locale's decimal comma.
    static const std::regex record(
        R"([-0-9T:.]{23}Z,\d+\.\d{3},\d+,[^,]*,ZS0001,-?\d+\.\d\d,-?\d+\.\d{3},\d{7}\.\d\d,)"
        R"(\d+\.\d,ok,[^,]*,,,,,,Not Found,.*)");
    for (size_t i = 1; i < csv.size(); ++i) {
        EXPECT_TRUE(std::regex_match(csv[i], record)) << csv[i];
        EXPECT_EQ(std::count(csv[i].begin(), csv[i].end(), ','),
                  std::count(csv[0].begin(), csv[0].end(), ','));
    }
    ASSERT_EQ(cli_.Run("--seconds 1 --format jsonl"), 0) << cli_.Err();
    ASSERT_GE(Out().size(), 2u);
    for (const std::string& line : Out()) {
        EXPECT_TRUE(line.starts_with(R"({"time":")") && line.ends_with("}],\"events\":[]}"))
            << line;
    }
    EXPECT_EQ(cli_.Run("--format xml"), 2);
    EXPECT_NE(cli_.Err().find("--format needs text, csv or jsonl"), std::string::npos)
        << cli_.Err();
}

TEST_F(ConsoleServiceTest, ARunUntilStoppedEndsInOrderOnSignalsOrAClosedOutput) {
    Prepare();
    for (const std::vector<int>& stopSignals :
         std::vector<std::vector<int>>{{SIGTERM}, {SIGINT}, {SIGINT, SIGTERM, SIGTERM}, {}}) {
        const int before = cli_.RunNumber();
        if (stopSignals.empty()) {  // the reader goes away after three records
            const std::string command =
                cli_.Command("--format jsonl") + " 2>err.txt | head -n 3 >out.txt";
            ASSERT_EQ(std::system(command.c_str()), 0);
            EXPECT_EQ(Out().size(), 3u);
            // The stop line is written before the settings.
            ASSERT_TRUE(Eventually([&] { return cli_.RunNumber() == before + 1; }));
        } else {
            cli_.Spawn("--format jsonl");
            ASSERT_TRUE(SweepsReach(3)) << cli_.Err();
            for (int signal : stopSignals) cli_.Signal(signal);
            EXPECT_EQ(cli_.Wait(), 0) << cli_.Err();
        }
        EXPECT_EQ(cli_.RunNumber(), before + 1) << stopSignals.size();
        const std::vector<std::string> log = LogLines();
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back().rfind("Stop Log\tRun: " + std::to_string(before + 1) + "\t", 0), 0u)
            << log.back();
    }
    // An output that cannot be written (a full disk) ends the run in order too, but
    // its lost records make the run a failure, said with the reason.
    const int before = cli_.RunNumber();
    const std::string full = cli_.Command("--format jsonl") + " 2>err.txt >/dev/full";
    EXPECT_EQ(CliRun::ExitStatus(std::system(full.c_str())), 1);
    EXPECT_NE(cli_.Err().find("zelvomon-cli: standard output cannot be written (No space left "
                              "on device); stopping the run\n"),
              std::string::npos)
        << cli_.Err();
    EXPECT_EQ(cli_.RunNumber(), before + 1);
}

// The readings of channel 1 seen by the subscriber.
size_t ReadingCount(const Messages& messages) {
    return OnTopic(messages, "zelvo/zelvo/1/reading").size();
}

std::function<bool(const Messages&)> StatusIs(const std::string& payload) {
    return [=](const Messages& messages) {
        const Messages status = OnTopic(messages, "zelvo/zelvo/status");
        return !status.empty() && status.back().payload == payload;
    };
}

TEST_F(ConsoleServiceTest, SweepsAndTheDataLogGoOnWhileTheBrokerIsAway) {
    MosquittoBroker broker((cli_.Folder() / "broker").string());
    Prepare(MqttOn(broker.Port()));
    ASSERT_TRUE(broker.Start());
    TestSubscriber subscriber(broker.Port(), "zelvo/#");
    cli_.Spawn("--format jsonl");
    ASSERT_TRUE(subscriber.WaitFor([](const Messages& m) { return ReadingCount(m) >= 4; }))
        << cli_.Err();
    EXPECT_TRUE(StatusIs("online")(subscriber.Messages()));

    broker.Stop();
    ASSERT_TRUE(Eventually([&] { return cli_.Err().find("MQTT: lost") != std::string::npos; }))
        << cli_.Err();
    ASSERT_TRUE(SweepsReach(Out().size() + 6)) << cli_.Err();
    ASSERT_TRUE(broker.Start());
    const size_t seen = ReadingCount(subscriber.Messages());
    ASSERT_TRUE(subscriber.WaitFor([&](const Messages& m) { return ReadingCount(m) >= seen + 4; }))
        << cli_.Err();
    const std::string again = "MQTT: connected to 127.0.0.1:" + std::to_string(broker.Port()) +
                              " under zelvo/zelvo again (so far made ";
    ASSERT_TRUE(Eventually([&] { return cli_.Err().find(again) != std::string::npos; }))
        << cli_.Err();
    cli_.Signal(SIGTERM);
    ASSERT_EQ(cli_.Wait(), 0) << cli_.Err();
    EXPECT_TRUE(subscriber.WaitFor(StatusIs("stopped")));
    // The channel's retained status no longer says "ok" once the run has stopped.
    const Messages status = OnTopic(subscriber.Messages(), "zelvo/zelvo/1/status");
    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status.back().payload, "stopped");
    // Every message made is delivered: nothing was queued long enough to be dropped.
    std::smatch counts;
    const std::string err = cli_.Err();
    ASSERT_TRUE(std::regex_search(
        err, counts,
        std::regex(R"(MQTT: made (\d+) = delivered (\d+) \+ dropped 0 \+ undelivered 0\n)")))
        << err;
    EXPECT_EQ(counts[1], counts[2]);

    // Sweeping went on while the broker was away (the six sweeps awaited above);
    // every sweep with readings also reached the data log.
    size_t recordsWithReadings = 0;
    for (const std::string& line : Out()) {
        if (line.find(R"("status":"ok")") != std::string::npos) ++recordsWithReadings;
    }
    // The data log has a record line (it starts with the run time) for each of them.
    size_t logRecords = 0;
    for (const std::string& line : LogLines())
        if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0]))) ++logRecords;
    EXPECT_EQ(logRecords, recordsWithReadings);
    EXPECT_GT(recordsWithReadings, 10u);
}

TEST_F(ConsoleServiceTest, ATargetIsSaidInTheFirstRecordReachingItAndPublishedOnce) {
    MosquittoBroker broker((cli_.Folder() / "broker").string());
    Prepare(MqttOn(broker.Port()));
    EXPECT_EQ(cli_.Run("--quality 1=10"), 2);
    EXPECT_NE(cli_.Err().find("--quality 1=10: Quality must be an integer between 0 and 9."),
              std::string::npos)
        << cli_.Err();
    ASSERT_TRUE(broker.Start());
    TestSubscriber subscriber(broker.Port(), "zelvo/zelvo/1/event");
    ASSERT_EQ(cli_.Run("--seconds 3 --format jsonl --target 1=0.003"), 0) << cli_.Err();
    static const std::regex thickness(R"("thickness_kA":(\d\.\d{3}))");
    size_t withEvent = 0, reaching = 0;
    for (size_t i = 0; i < Out().size(); ++i) {
        std::smatch m;
        const std::string line = Out()[i];
        ASSERT_TRUE(std::regex_search(line, m, thickness)) << line;
        if (reaching == 0 && std::stod(m[1]) >= 0.003) reaching = i + 1;
        if (line.find(R"("event":"target")") != std::string::npos)
            withEvent = withEvent == 0 ? i + 1 : 99999;
    }
    EXPECT_GT(reaching, 0u);
    EXPECT_EQ(withEvent, reaching);
    EXPECT_NE(cli_.Err().find("Sensor 1 (ZS0001) target at "), std::string::npos) << cli_.Err();
    ASSERT_TRUE(subscriber.WaitFor([](const Messages& m) { return !m.empty(); }));
    EXPECT_NE(subscriber.Messages()[0].payload.find(R"("serial":"ZS0001","event":"target")"),
              std::string::npos);
    EXPECT_NE(cli_.Read("zelvo.cfg").find("[Targets]\r\nSensor 1=0.003;0;10;0;25;0\r\n"),
              std::string::npos);
}

TEST_F(ConsoleServiceTest, TheLastWillSaysTheMonitorIsGone) {
    MosquittoBroker broker((cli_.Folder() / "broker").string());
    Prepare(MqttOn(broker.Port()));
    ASSERT_TRUE(broker.Start());
    TestSubscriber subscriber(broker.Port(), "zelvo/#");
    cli_.Spawn("--seconds 60");
    ASSERT_TRUE(subscriber.WaitFor(StatusIs("online"))) << cli_.Err();
    cli_.Signal(SIGKILL);
    EXPECT_EQ(cli_.Wait(), 128 + SIGKILL);
    EXPECT_TRUE(subscriber.WaitFor(StatusIs("gone")));
}

}  // namespace
