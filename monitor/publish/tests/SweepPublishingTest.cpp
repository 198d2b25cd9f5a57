// Publishing kept in line with the settings of the setup file, against a real broker.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "MosquittoBroker.hpp"
#include "SweepPublishing.hpp"

namespace {

using namespace zelvo;
using zelvo::testing::MosquittoBroker;
using zelvo::testing::OnTopic;
using zelvo::testing::ReceivedMessage;
using zelvo::testing::TestSubscriber;
namespace fs = std::filesystem;
using Messages = std::vector<ReceivedMessage>;

std::function<bool(const Messages&)> Has(const std::string& topic, const std::string& payload) {
    return [=](const Messages& messages) {
        for (const ReceivedMessage& m : OnTopic(messages, topic))
            if (m.payload == payload) return true;
        return false;
    };
}

TEST(SweepPublishingTest, FollowsTheSettingsOnOffAndToANewTopic) {
    const fs::path folder =
        fs::temp_directory_path() / ("zelvo_sweeppub_" + std::to_string(::getpid()));
    {
        MosquittoBroker broker(folder.string());
        ASSERT_TRUE(broker.Start());
        TestSubscriber subscriber(broker.Port(), "#");
        MainState state;
        state.ShowLast = 0;
        state.MqttHost = "127.0.0.1";
        state.MqttPort = broker.Port();
        const SweepRecord record = MakeSweepRecord(
            state, [](int) { return "XTAL FAIL"; }, 0, std::chrono::system_clock::now());

        SweepPublishing publishing;
        EXPECT_FALSE(publishing.Apply(state, "chamber.cfg"));
        EXPECT_FALSE(publishing.Active());  // off by default
        EXPECT_EQ(publishing.Finish(), "");

        state.MqttEnabled = 1;
        EXPECT_FALSE(publishing.Apply(state, "chamber.cfg"));
        ASSERT_TRUE(publishing.Active());
        EXPECT_EQ(publishing.Target(),
                  "127.0.0.1:" + std::to_string(broker.Port()) + " under zelvo/chamber");
        publishing.Publish(record);
        ASSERT_TRUE(subscriber.WaitFor(Has("zelvo/chamber/1/status", "XTAL FAIL")));
        EXPECT_EQ(publishing.LinkChange().value_or("").rfind("connected to ", 0), 0u);
        EXPECT_FALSE(publishing.LinkChange());

        // Another setup file: the old prefix says "stopped", the new one takes over.
        EXPECT_FALSE(publishing.Apply(state, "other.cfg"));
        ASSERT_TRUE(subscriber.WaitFor(Has("zelvo/chamber/status", "stopped")));
        publishing.Publish(record);
        ASSERT_TRUE(subscriber.WaitFor(Has("zelvo/other/1/status", "XTAL FAIL")));

        state.MqttEnabled = 0;
        EXPECT_FALSE(publishing.Apply(state, "other.cfg"));
        EXPECT_FALSE(publishing.Active());
        EXPECT_TRUE(subscriber.WaitFor(Has("zelvo/other/status", "stopped")));
    }
    fs::remove_all(folder);
}

}  // namespace
