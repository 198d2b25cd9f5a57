// The publisher, and publishing kept in line with the settings of the setup file,
// against a real broker started by the test on 127.0.0.1.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "MosquittoBroker.hpp"
#include "MqttPublisher.hpp"
#include "SweepPublishing.hpp"

namespace {

using namespace zelvo;
using zelvo::testing::MosquittoBroker;
using zelvo::testing::OnTopic;
using zelvo::testing::ReceivedMessage;
using zelvo::testing::TestSubscriber;
namespace fs = std::filesystem;
using Messages = std::vector<ReceivedMessage>;

class PublishingTest : public ::testing::Test {
  protected:
    PublishingTest() { fs::create_directories(folder_); }
    ~PublishingTest() override { fs::remove_all(folder_); }

    std::unique_ptr<MqttPublisher> Publisher(size_t capacity = 1000) {
        MqttSettings settings;
        settings.host = "127.0.0.1";
        settings.port = broker_.Port();
        settings.prefix = "lab";
        settings.capacity = capacity;
        std::unique_ptr<MqttPublisher> publisher;
        const auto failure = StartPublisher(settings, publisher);
        EXPECT_FALSE(failure) << failure->Description();
        return publisher;
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

TEST_F(PublishingTest, MessagesArriveInOrderBetweenOnlineAndStoppedAlsoAfterTheBrokerWasAway) {
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

    broker_.Stop();
    ASSERT_TRUE(LinkBecomes(*publisher, false));
    publisher->Publish({"lab/1/status", "while away", true});
    ASSERT_TRUE(broker_.Start());
    ASSERT_TRUE(subscriber.WaitFor(Has("lab/1/status", "while away")));
    ASSERT_TRUE(LinkBecomes(*publisher, true));
    publisher->Publish({"lab/1/reading", "after", false});
    EXPECT_TRUE(subscriber.WaitFor(Has("lab/1/reading", "after")));

    publisher->Stop();
    EXPECT_TRUE(subscriber.WaitFor(Has("lab/status", "stopped")));
    EXPECT_EQ(publisher->Published(), 7u);
    EXPECT_EQ(publisher->Dropped(), 0u);
}

TEST_F(PublishingTest, WhileTheBrokerIsAwayTheQueueKeepsTheNewestAndCountsTheRest) {
    auto publisher = Publisher(4);
    for (int i = 0; i < 10; ++i)
        publisher->Publish({"lab/q/" + std::to_string(i), "m" + std::to_string(i), true});
    EXPECT_EQ(publisher->Dropped(), 6u);
    EXPECT_FALSE(publisher->Connected());

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
    EXPECT_EQ(publisher->Published(), 4u);
    EXPECT_EQ(publisher->Dropped(), 6u);
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

    // Another setup file: the old prefix says "stopped", the new one takes over.
    EXPECT_FALSE(publishing.Apply(state, "other.cfg"));
    ASSERT_TRUE(subscriber.WaitFor(Has("zelvo/chamber/status", "stopped")));
    publishing.Publish(record);
    ASSERT_TRUE(subscriber.WaitFor(Has("zelvo/other/1/status", "XTAL FAIL")));

    state.MqttEnabled = "0";
    EXPECT_FALSE(publishing.Apply(state, "other.cfg"));
    EXPECT_FALSE(publishing.Active());
    EXPECT_TRUE(subscriber.WaitFor(Has("zelvo/other/status", "stopped")));
}

}  // namespace
