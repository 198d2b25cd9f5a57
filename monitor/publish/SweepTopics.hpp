// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The MQTT messages of a sweep: per displayed channel its reading (JSON, as in
// the console's JSON lines) and its status, retained so that a dashboard that
// subscribes later sees the last status at once.
//
//   <prefix>/status          "online", "stopped", or "gone" (the last will)
//   <prefix>/<n>/reading     {"time":..., "run_time_s":..., "channel":n, ...}
//   <prefix>/<n>/status      "ok" or the row text, retained; "stopped" when the
//                            run stops or the monitor ends in order
//   <prefix>/<n>/event       a supervision event, once: {"time":..., "run":...,
//                            "channel":n, "serial":..., "event":"target", "value":...,
//                            "limit":...}

#include <set>
#include <string>
#include <vector>

#include "SweepRecord.hpp"

namespace zelvo {

struct PublishMessage {
    std::string topic;
    std::string payload;
    bool retained = false;
};

// The monitor's own status topic and its payloads.
std::string MonitorStatusTopic(const std::string& prefix);
inline constexpr const char* kMonitorOnline = "online";
inline constexpr const char* kMonitorStopped = "stopped";
inline constexpr const char* kMonitorGone = "gone";

// The topic prefix: the MqttTopic setting, or "zelvo/" and the setup file's name
// without its extension when the setting is empty. A topic is UTF-8: the setting
// is converted from Windows-1252, a file name that is not UTF-8 is read as such.
std::string TopicPrefix(const MainState& state, const std::string& setupFile);

std::vector<PublishMessage> SweepMessages(const std::string& prefix, const SweepRecord& record);

// The retained "stopped" status of each of the channels.
std::vector<PublishMessage> StoppedMessages(const std::string& prefix,
                                            const std::set<int>& channels);

}  // namespace zelvo
