// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepTopics.hpp"

#include <filesystem>

#include "RecordFormat.hpp"
#include "Windows1252.hpp"

namespace zelvo {

std::string MonitorStatusTopic(const std::string& prefix) {
    return prefix + "/status";
}

std::string TopicPrefix(const MainState& state, const std::string& setupFile) {
    if (!state.MqttTopic.empty()) return FromWindows1252(state.MqttTopic);
    return "zelvo/" + AsUtf8(std::filesystem::path(setupFile).stem().string());
}

std::vector<PublishMessage> StoppedMessages(const std::string& prefix,
                                            const std::set<int>& channels) {
    std::vector<PublishMessage> messages;
    for (int channel : channels)
        messages.push_back(
            {prefix + "/" + std::to_string(channel) + "/status", kMonitorStopped, true});
    return messages;
}

std::vector<PublishMessage> SweepMessages(const std::string& prefix, const SweepRecord& record) {
    std::vector<PublishMessage> messages;
    for (const ChannelRecord& channel : record.channels) {
        const std::string base = prefix + "/" + std::to_string(channel.channel);
        messages.push_back({base + "/reading", ChannelJson(record, channel), false});
        messages.push_back({base + "/status", channel.status, true});
        for (const RaisedEvent& event : channel.events)
            messages.push_back({base + "/event", EventJson(record, channel, event), false});
    }
    return messages;
}

}  // namespace zelvo
