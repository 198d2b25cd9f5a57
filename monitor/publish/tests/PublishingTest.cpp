// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The publisher, and publishing kept in line with the settings of the setup file,
// against a real broker started by the test on 127.0.0.1.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <thread>

#include "MosquittoBroker.hpp"
#include "MqttPublisher.hpp"
#include "SweepPublishing.hpp"

namespace {

using namespace zelvo;
using zelvo::testing::MakeAuthority;
using zelvo::testing::MosquittoBroker;
using zelvo::testing::OnTopic;
using zelvo::testing::ReceivedMessage;
using zelvo::testing::SilentListener;
using zelvo::testing::TestSubscriber;
namespace fs = std::filesystem;
using Messages = std::vector<ReceivedMessage>;

class PublishingTest : public ::testing::Test {
  protected:
    PublishingTest() { fs::create_directories(folder_); }
    ~PublishingTest() override { fs::remove_all(folder_); }

    MqttSettings Settings(size_t capacity = 1000) const {
        MqttSettings settings;
        settings.host = "127.0.0.1";
        settings.port = broker_.Port();
        settings.prefix = "lab";
        settings.clientId = "zelvo-test";
        settings.capacity = capacity;
        return settings;
    }

    std::unique_ptr<MqttPublisher> Publisher(size_t capacity = 1000) {
        const MqttSettings settings = Settings(capacity);
        std::unique_ptr<MqttPublisher> publisher;
        const auto failure = StartPublisher(settings, publisher);
        EXPECT_FALSE(failure) << failure->Description();
        return publisher;
    }

    // Waits (up to a generous limit) until the publisher holds what it was given.
    static bool Holds(const MqttPublisher& publisher, uint64_t inFlight) {
        for (int i = 0; i < 3000 && publisher.State().inFlight < inFlight; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return publisher.State().inFlight == inFlight;
    }

    // Waits (up to a generous limit) until the publisher's link is as wanted.
    static bool LinkBecomes(const MqttPublisher& publisher, bool connected) {
        for (int i = 0; i < 3000 && publisher.Connected() != connected; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return publisher.Connected() == connected;
    }

    static std::function<bool(const Messages&)> Has(const std::string& topic,
                                                    const std::string& payload) {
        return [=](const Messages& messages) {
            for (const ReceivedMessage& m : OnTopic(messages, topic))
                if (m.payload == payload) return true;
            return false;
        };
    }

    fs::path folder_ = fs::temp_directory_path() / ("zelvo_mqtt_" + std::to_string(::getpid()));
    MosquittoBroker broker_{folder_.string()};
};

// A broker that goes away and comes back: the killed-broker test below.
TEST_F(PublishingTest, MessagesArriveInOrderBetweenOnlineAndStopped) {
    ASSERT_TRUE(broker_.Start());
    TestSubscriber subscriber(broker_.Port(), "lab/#");
    auto publisher = Publisher();
    ASSERT_TRUE(subscriber.WaitFor(Has("lab/status", "online")));
    for (int i = 0; i < 5; ++i) publisher->Publish({"lab/1/reading", std::to_string(i), false});
    ASSERT_TRUE(subscriber.WaitFor(
        [](const Messages& m) { return OnTopic(m, "lab/1/reading").size() == 5; }));
    const Messages readings = OnTopic(subscriber.Messages(), "lab/1/reading");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(readings[static_cast<size_t>(i)].payload, std::to_string(i));
    publisher->Stop();
    EXPECT_TRUE(subscriber.WaitFor(Has("lab/status", "stopped")));
    const PublisherState state = publisher->State();
    EXPECT_EQ(state.made, 5u);
    EXPECT_EQ(state.delivered, 5u);
    EXPECT_EQ(state.dropped, 0u);
}

TEST_F(PublishingTest, WhileTheBrokerIsAwayTheQueueKeepsTheNewestAndCountsTheRest) {
    auto publisher = Publisher(4);
    for (int i = 0; i < 10; ++i)
        publisher->Publish({"lab/q/" + std::to_string(i), "m" + std::to_string(i), true});
    EXPECT_EQ(publisher->State().dropped, 6u);
    EXPECT_EQ(publisher->State().queued, 4u);

    // Retained, so that the subscriber sees them whoever reaches the broker first.
    ASSERT_TRUE(broker_.Start());
    TestSubscriber subscriber(broker_.Port(), "lab/#");
    ASSERT_TRUE(subscriber.WaitFor(Has("lab/q/9", "m9")));
    ASSERT_TRUE(LinkBecomes(*publisher, true));
    publisher->Stop();
    ASSERT_TRUE(subscriber.WaitFor(Has("lab/status", "stopped")));
    const Messages messages = subscriber.Messages();
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(OnTopic(messages, "lab/q/" + std::to_string(i)).size(), i < 6 ? 0u : 1u) << i;
    }
    const PublisherState state = publisher->State();
    EXPECT_EQ(state.made, 10u);
    EXPECT_EQ(state.delivered, 4u);
    EXPECT_EQ(state.dropped, 6u);
}

TEST_F(PublishingTest, SweepPublishingFollowsTheSettingsOnOffAndToANewTopic) {
    ASSERT_TRUE(broker_.Start());
    TestSubscriber subscriber(broker_.Port(), "#");
    MainState state;
    state.ShowLast = 0;
    state.MqttHost = "127.0.0.1";
    state.MqttPort = std::to_string(broker_.Port());
    const SweepRecord record = MakeSweepRecord(
        state, [](int) { return "XTAL FAIL"; }, 0, std::chrono::system_clock::now());

    SweepPublishing publishing;
    EXPECT_FALSE(publishing.Apply(state, "chamber.cfg"));
    EXPECT_FALSE(publishing.Active());  // off by default
    EXPECT_EQ(publishing.Finish(), "");

    state.MqttEnabled = "1";
    EXPECT_FALSE(publishing.Apply(state, "chamber.cfg"));
    ASSERT_TRUE(publishing.Active());
    EXPECT_EQ(publishing.Target(),
              "127.0.0.1:" + std::to_string(broker_.Port()) + " under zelvo/chamber");
    publishing.Publish(record);
    ASSERT_TRUE(subscriber.WaitFor(Has("zelvo/chamber/1/status", "XTAL FAIL")));
    EXPECT_EQ(publishing.LinkChange().value_or("").rfind("connected to ", 0), 0u);
    EXPECT_FALSE(publishing.LinkChange());

    // Another setup file: the old prefix and its channels say "stopped", the new
    // one takes over.
    EXPECT_FALSE(publishing.Apply(state, "other.cfg"));
    ASSERT_TRUE(subscriber.WaitFor(Has("zelvo/chamber/status", "stopped")));
    EXPECT_EQ(OnTopic(subscriber.Messages(), "zelvo/chamber/1/status").back().payload, "stopped");
    publishing.Publish(record);
    ASSERT_TRUE(subscriber.WaitFor(Has("zelvo/other/1/status", "XTAL FAIL")));
    publishing.RunStopped();
    EXPECT_TRUE(subscriber.WaitFor(Has("zelvo/other/1/status", "stopped")));
    EXPECT_EQ(publishing.Finish(), "made 3 = delivered 3 + dropped 0 + undelivered 0");

    state.MqttEnabled = "0";
    EXPECT_FALSE(publishing.Apply(state, "other.cfg"));
    EXPECT_FALSE(publishing.Active());
    EXPECT_TRUE(subscriber.WaitFor(Has("zelvo/other/status", "stopped")));
}

// Every message on topics under prefix, each payload once (QoS 1 may repeat one).
std::function<bool(const Messages&)> AllOf(const std::string& prefix, int count) {
    return [=](const Messages& messages) {
        std::set<std::string> seen;
        for (const ReceivedMessage& m : messages)
            if (m.topic.rfind(prefix, 0) == 0) seen.insert(m.payload);
        return seen.size() == static_cast<size_t>(count);
    };
}

TEST_F(PublishingTest, ReadingsSentIntoAFrozenBrokerArriveOnceItWakes) {
    ASSERT_TRUE(broker_.Start());
    TestSubscriber subscriber(broker_.Port(), "lab/#");
    auto publisher = Publisher();
    ASSERT_TRUE(LinkBecomes(*publisher, true));
    broker_.Freeze();
    // A reading every 50 ms until the publisher notices, and a few after.
    int made = 0;
    for (; publisher->Connected() && made < 2000; ++made) {
        publisher->Publish({"lab/1/reading", std::to_string(made), false});
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_FALSE(publisher->Connected());
    EXPECT_EQ(publisher->State().failure.kind, LinkFailure::TimedOut);
    for (const int last = made + 5; made < last; ++made)
        publisher->Publish({"lab/1/reading", std::to_string(made), false});
    broker_.Continue();
    EXPECT_TRUE(subscriber.WaitFor(AllOf("lab/1/reading", made), std::chrono::seconds(60)));
    publisher->Stop();
    const PublisherState state = publisher->State();
    EXPECT_EQ(state.made, static_cast<uint64_t>(made));
    EXPECT_EQ(state.delivered, state.made);
    // A persistent session (clean session off) with the settings' keep-alive.
    EXPECT_NE(broker_.Log().find(" as zelvo-test (p2, c0, k5)."), std::string::npos);
}

TEST_F(PublishingTest, ReadingsInFlightToAKilledBrokerReachItsSuccessorThatHasNoSession) {
    ASSERT_TRUE(broker_.Start());
    auto publisher = Publisher();
    ASSERT_TRUE(LinkBecomes(*publisher, true));
    // Unacknowledged when the broker dies: it never read them.
    broker_.Freeze();
    // Retained, so that the subscriber sees them whoever reaches the broker first.
    auto reading = [](int i) {
        return PublishMessage{"lab/k/" + std::to_string(i), std::to_string(i), true};
    };
    for (int i = 0; i < 10; ++i) publisher->Publish(reading(i));
    ASSERT_TRUE(Holds(*publisher, 10));
    broker_.Kill();
    for (int i = 10; i < 15; ++i) publisher->Publish(reading(i));
    ASSERT_TRUE(broker_.Start());
    TestSubscriber subscriber(broker_.Port(), "lab/k/#");
    EXPECT_TRUE(subscriber.WaitFor(AllOf("lab/k/", 15)));
    publisher->Stop();
    EXPECT_EQ(publisher->State().delivered, 15u);
}

// Publishing with settings until it has failed attempts times (or connected);
// the lines LinkChange said meanwhile.
std::vector<std::string> LinesUntilFailed(SweepPublishing& publishing, const MqttSettings& settings,
                                          uint64_t attempts) {
    EXPECT_FALSE(publishing.Use(settings));
    std::vector<std::string> lines;
    for (int i = 0; i < 6000; ++i) {
        const LinkStatus status = publishing.Status();
        if (auto line = publishing.LinkChange()) lines.push_back(*line);
        if (status.failedAttempts >= attempts || status.state == LinkState::Connected) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return lines;
}

TEST_F(PublishingTest, EachKindOfFailureIsNamedOnceAndWhatWasMadeIsCounted) {
    MosquittoBroker secured((folder_ / "secured").string(), {"lab", "secret", true});
    ASSERT_TRUE(secured.Start());
    SilentListener silent;
    MqttSettings settings = Settings();
    settings.firstRetryMs = settings.lastRetryMs = 10;
    SweepPublishing publishing;
    auto said = [&](const MqttSettings& s, const std::string& reason, uint64_t attempts = 4) {
        const std::vector<std::string> expected = {
            "cannot connect to " + s.host + ":" + std::to_string(s.port) + " under lab: " + reason};
        EXPECT_EQ(LinesUntilFailed(publishing, s, attempts), expected);
        EXPECT_EQ(publishing.Status().state, LinkState::Failing);
        EXPECT_EQ(publishing.Status().reason, reason);
    };

    // Nothing listens on the broker's port yet; what was made stays undelivered.
    said(settings, "connection refused");
    MainState oneChannel;
    oneChannel.ShowLast = 0;
    publishing.Publish(MakeSweepRecord(
        oneChannel, [](int) { return "ok"; }, 0, std::chrono::system_clock::now()));
    EXPECT_EQ(publishing.Finish(), "made 3 = delivered 0 + dropped 0 + undelivered 3");
    // An empty label: the resolver refuses the name without asking a server.
    MqttSettings unresolvable = settings;
    unresolvable.host = "zelvo..invalid";
    said(unresolvable, "cannot resolve the host zelvo..invalid (Name or service not known)");
    MqttSettings closed = settings;
    closed.port = secured.Port();
    closed.tls = true;
    closed.caFile = MakeAuthority((folder_ / "secured").string(), "other");
    closed.username = "lab";
    closed.password = "secret";
    said(closed, "TLS failure: certificate verify failed");
    closed.caFile = (folder_ / "secured" / "ca.crt").string();
    closed.password = "wrong";
    said(closed, "refused by the broker: not authorised (code 5)");
    closed.password = "secret";
    EXPECT_EQ(LinesUntilFailed(publishing, closed, 1).back().rfind("connected to ", 0), 0u);
    MqttSettings silentPort = settings;
    silentPort.port = silent.Port();
    said(silentPort, "timed out: no answer within 5 s", 1);
}

}  // namespace
