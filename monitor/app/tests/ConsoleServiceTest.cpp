// zelvomon-cli as a lab service: records on standard output, runs that end on a
// signal or a closed pipe, and readings published to a broker that goes away
// and comes back.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "MosquittoBroker.hpp"

namespace {

namespace fs = std::filesystem;
using zelvo::testing::MosquittoBroker;
using zelvo::testing::OnTopic;
using zelvo::testing::ReceivedMessage;
using zelvo::testing::TestSubscriber;
using Messages = std::vector<ReceivedMessage>;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

QJsonObject ParseObject(const std::string& line) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
    EXPECT_TRUE(document.isObject()) << line;
    return document.object();
}

// Milliseconds of the day of an ISO 8601 UTC time with milliseconds.
double MillisecondsOfDay(const std::string& iso) {
    static const std::regex pattern(R"(\d{4}-\d\d-\d\dT(\d\d):(\d\d):(\d\d)\.(\d{3})Z)");
    std::smatch m;
    EXPECT_TRUE(std::regex_match(iso, m, pattern)) << iso;
    if (m.empty()) return 0;
    return ((std::stod(m[1]) * 60 + std::stod(m[2])) * 60 + std::stod(m[3])) * 1000 +
           std::stod(m[4]);
}

class ConsoleServiceTest : public ::testing::Test {
  protected:
    ConsoleServiceTest() { fs::create_directories(folder_); }
    ~ConsoleServiceTest() override {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        fs::remove_all(folder_);
    }

    std::string Command(const std::string& options) const {
        return "cd '" + folder_.string() + "' && LC_ALL=de_DE.UTF-8 ZELVO_SIM='devices=1' exec " +
               ZELVO_CLI_PATH + " --bridge " + ZELVO_SIM_LIBRARY_PATH + " --app-dir lab " + options;
    }

    using Edits = std::vector<std::pair<std::string, std::string>>;
    // A first short run places the setup file; then the data log is turned on, the
    // period made 0.5 s (a sweep every 0.25 s) and the further edits made.
    void Prepare(Edits edits = {}) {
        ASSERT_EQ(std::system((Command("--seconds 0") + " >/dev/null 2>&1").c_str()), 0);
        std::string setup = Slurp(Setup());
        edits.insert(edits.begin(), {{"LogEnabled=0", "LogEnabled=1"}, {"Period=25", "Period=50"}});
        for (const auto& [from, to] : edits) {
            const size_t at = setup.find(from);
            ASSERT_NE(at, std::string::npos) << from << " in " << setup;
            setup.replace(at, from.size(), to);
        }
        std::ofstream(Setup(), std::ios::binary) << setup;
    }
    fs::path Setup() const { return folder_ / "lab" / "zelvo.cfg"; }
    int RunNumber() const {
        std::smatch m;
        const std::string setup = Slurp(Setup());
        return std::regex_search(setup, m, std::regex("RunNum=(\\d+)")) ? std::stoi(m[1]) : -1;
    }
    std::vector<std::string> LogLines() const {
        return Lines(Slurp(folder_ / "lab" / "Zelvo.log"));
    }
    std::vector<std::string> Out() const { return Lines(Slurp(folder_ / "out.txt")); }
    std::string Err() const { return Slurp(folder_ / "err.txt"); }

    // Starts the program in the background, its output kept in out.txt and err.txt.
    void Spawn(const std::string& options) {
        const std::string command = Command(options) + " >out.txt 2>err.txt";
        fs::remove(folder_ / "out.txt");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
            ::_exit(127);
        }
        ASSERT_GT(pid_, 0);
    }
    // Waits (up to a generous limit) until condition holds.
    static bool Eventually(const std::function<bool()>& condition) {
        for (int i = 0; i < 6000 && !condition(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return condition();
    }
    bool SweepsReach(size_t count) const {
        return Eventually([&] { return Out().size() >= count; });
    }
    int ExitStatus() {
        int status = 0;
        EXPECT_EQ(::waitpid(pid_, &status, 0), pid_);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // Publishing on, to the test's broker.
    static Edits MqttOn(int port) {
        return {{"[Mqtt]\r\nEnabled=0\r\nHost=localhost\r\nPort=1883",
                 "[Mqtt]\r\nEnabled=1\r\nHost=127.0.0.1\r\nPort=" + std::to_string(port)}};
    }

    fs::path folder_ = fs::temp_directory_path() / ("zelvo_service_" + std::to_string(::getpid()));
    pid_t pid_ = -1;
};

TEST_F(ConsoleServiceTest, EachFormatWritesOneRecordPerSweepWithPoints) {
    Prepare();
    ASSERT_EQ(std::system((Command("--seconds 1 --format jsonl") + " >out.txt 2>err.txt").c_str()),
              0)
        << Err();
    const std::vector<std::string> json = Out();
    ASSERT_GE(json.size(), 2u) << Err();
    for (const std::string& line : json) {
        const QJsonObject record = ParseObject(line);
        MillisecondsOfDay(record["time"].toString().toStdString());
        EXPECT_TRUE(record["run_time_s"].isDouble()) << line;
        const QJsonArray channels = record["channels"].toArray();
        ASSERT_EQ(channels.size(), 4) << line;
        const QJsonObject first = channels[0].toObject();
        EXPECT_EQ(first["status"].toString(), "ok") << line;
        EXPECT_EQ(first["serial"].toString(), "ZS0001") << line;
        EXPECT_GT(first["frequency_Hz"].toDouble(), 1e6) << line;
        EXPECT_TRUE(first["thickness_kA"].isDouble()) << line;
        EXPECT_EQ(channels[1].toObject()["status"].toString(), "Not Found") << line;
    }

    ASSERT_EQ(std::system((Command("--seconds 1 --format csv") + " >out.txt 2>err.txt").c_str()),
              0);
    const std::vector<std::string> csv = Out();
    ASSERT_GE(csv.size(), 3u);
    EXPECT_EQ(csv[0].rfind("time,run_time_s,run,ch1_name,ch1_serial,ch1_rate_A_per_s,", 0), 0u);
    const auto fields = [](const std::string& line) {
        return std::count(line.begin(), line.end(), ',');
    };
    for (const std::string& line : csv) EXPECT_EQ(fields(line), fields(csv[0])) << line;

    EXPECT_EQ(std::system((Command("--format xml") + " >out.txt 2>err.txt").c_str()) >> 8, 2);
    EXPECT_NE(Err().find("--format needs text, csv or jsonl"), std::string::npos) << Err();
}

TEST_F(ConsoleServiceTest, ARunUntilStoppedEndsInOrderOnSignals) {
    const std::vector<std::vector<int>> cases = {{SIGTERM}, {SIGINT}, {SIGINT, SIGTERM, SIGTERM}};
    Prepare();
    for (const std::vector<int>& stopSignals : cases) {
        const int before = RunNumber();
        Spawn("--format jsonl");
        ASSERT_TRUE(SweepsReach(3)) << Err();
        for (int signal : stopSignals) ::kill(pid_, signal);
        EXPECT_EQ(ExitStatus(), 0) << Err();
        EXPECT_EQ(RunNumber(), before + 1) << stopSignals.size();
        const std::vector<std::string> log = LogLines();
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back().rfind("Stop Log\tRun: " + std::to_string(before + 1) + "\t", 0), 0u)
            << log.back();
    }
}

TEST_F(ConsoleServiceTest, AClosedOutputEndsTheRunInOrder) {
    Prepare();
    const int before = RunNumber();
    const std::string command = Command("--format jsonl") + " 2>err.txt | head -n 3 >out.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(Out().size(), 3u);
    EXPECT_TRUE(Eventually([&] { return RunNumber() == before + 1; })) << Err();
    EXPECT_TRUE(Eventually([&] { return LogLines().back().rfind("Stop Log", 0) == 0; }));
}

}  // namespace

namespace {

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
    MosquittoBroker broker((folder_ / "broker").string());
    Prepare(MqttOn(broker.Port()));
    ASSERT_TRUE(broker.Start());
    TestSubscriber subscriber(broker.Port(), "zelvo/#");
    Spawn("--format jsonl");
    ASSERT_TRUE(subscriber.WaitFor([](const Messages& m) { return ReadingCount(m) >= 4; }))
        << Err();
    EXPECT_TRUE(StatusIs("online")(subscriber.Messages()));

    broker.Stop();
    ASSERT_TRUE(Eventually([&] { return Err().find("MQTT: lost") != std::string::npos; })) << Err();
    const size_t whileAway = Out().size();
    ASSERT_TRUE(SweepsReach(whileAway + 6)) << Err();
    ASSERT_TRUE(broker.Start());
    const size_t seen = ReadingCount(subscriber.Messages());
    ASSERT_TRUE(subscriber.WaitFor([&](const Messages& m) { return ReadingCount(m) >= seen + 4; }))
        << Err();
    ::kill(pid_, SIGTERM);
    ASSERT_EQ(ExitStatus(), 0) << Err();
    EXPECT_TRUE(subscriber.WaitFor(StatusIs("stopped")));
    const Messages status = OnTopic(subscriber.Messages(), "zelvo/zelvo/1/status");
    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status.back().payload, "ok");
    EXPECT_NE(Err().find(" dropped\n"), std::string::npos) << Err();

    // Every sweep on time: none later than one period (0.5 s) after its due time,
    // the sweep interval (0.25 s) after the one before.
    const std::vector<std::string> sweeps = Out();
    size_t recordsWithReadings = 0;
    double previous = -1;
    for (const std::string& line : sweeps) {
        const QJsonObject record = ParseObject(line);
        const double now = MillisecondsOfDay(record["time"].toString().toStdString());
        if (previous >= 0) {
            EXPECT_LT(now - previous, 250 + 500) << line;
        }
        previous = now;
        if (record["channels"].toArray()[0].toObject()["status"] == "ok") ++recordsWithReadings;
    }
    // The data log has a record line (it starts with the run time) for each of them.
    size_t logRecords = 0;
    for (const std::string& line : LogLines())
        if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0]))) ++logRecords;
    EXPECT_EQ(logRecords, recordsWithReadings);
    EXPECT_GT(recordsWithReadings, 10u);
}

TEST_F(ConsoleServiceTest, TheLastWillSaysTheMonitorIsGone) {
    MosquittoBroker broker((folder_ / "broker").string());
    Prepare(MqttOn(broker.Port()));
    ASSERT_TRUE(broker.Start());
    TestSubscriber subscriber(broker.Port(), "zelvo/#");
    Spawn("--seconds 60");
    ASSERT_TRUE(subscriber.WaitFor(StatusIs("online"))) << Err();
    ::kill(pid_, SIGKILL);
    ExitStatus();
    EXPECT_TRUE(subscriber.WaitFor(StatusIs("gone")));
}

}  // namespace
