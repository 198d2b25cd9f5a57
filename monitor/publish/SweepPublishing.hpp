// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Publishing of a program's sweeps, kept in line with the settings: started when
// the setup file turns it on, started again when the broker or the topic changes
// (another setup file opened), stopped when it is turned off. Used by the console
// program and the window alike; the caller stays on its one thread, the
// publisher's worker does the talking to the broker.

#include <memory>
#include <optional>
#include <set>
#include <string>

#include "MqttPublisher.hpp"

namespace zelvo {

// The link to the broker as the operator sees it: Connecting until the first
// attempt has an outcome, Failing while no attempt has succeeded yet,
// Reconnecting after a connection was lost.
enum class LinkState { Off, Connecting, Connected, Reconnecting, Failing };

// Every message made for the broker ends in one of three counts:
// made = delivered (acknowledged by the broker) + dropped (the queue was full)
//        + undelivered (still queued or unacknowledged when publishing ended).
struct PublishCounts {
    uint64_t made = 0;
    uint64_t delivered = 0;
    uint64_t dropped = 0;
    uint64_t undelivered = 0;
};

struct LinkStatus {
    LinkState state = LinkState::Off;
    std::string reason;  // why the link is failing or reconnecting; empty otherwise
    PublishCounts counts;
    uint64_t failedAttempts = 0;  // since the link was last up
};

// "made 2416 = delivered 2400 + dropped 0 + undelivered 16"
std::string CountsText(const PublishCounts& counts);

class SweepPublishing {
  public:
    SweepPublishing() = default;
    ~SweepPublishing();
    SweepPublishing(const SweepPublishing&) = delete;
    SweepPublishing& operator=(const SweepPublishing&) = delete;

    // Brings the publisher in line with the settings of state and the setup file's
    // name (checked by CheckMqttSettings); returns the refusal of a setting, or the
    // failure when a wanted publisher could not be started (the same settings are
    // not tried again).
    std::optional<ZelvoError> Apply(const MainState& state, const std::string& setupFile);
    // The same with the publisher's settings, or publishing off (nullopt).
    std::optional<ZelvoError> Use(const std::optional<MqttSettings>& settings);
    // Queues the record's messages when publishing is on.
    void Publish(const SweepRecord& record);
    // The run stopped: the retained status of every channel published since the
    // run started says "stopped" (called again, it sends nothing).
    void RunStopped();

    bool Active() const { return publisher_ != nullptr; }
    // The link and the counts now (Off when publishing is off, refused or closed).
    LinkStatus Status() const;
    // When the link came up, went down, or fails for another kind of reason since
    // the last call: a line that says so (a recovery with the counts so far).
    std::optional<std::string> LinkChange();
    // Says "stopped" for the channels and closes the link in order.
    void Close();
    // Close; the line with the four counts ("" when publishing was off).
    std::string Finish();
    // "host:port under prefix" of the current settings.
    const std::string& Target() const { return target_; }
    // Why publishing is off although the setup file turns it on (a refused setting,
    // a publisher that could not start); empty otherwise.
    const std::string& OffReason() const { return offReason_; }

  private:
    std::unique_ptr<MqttPublisher> publisher_;
    std::string prefix_;
    std::string target_;
    std::optional<std::string> checked_;  // the settings last checked, refused or not
    std::string offReason_;
    std::optional<std::optional<MqttSettings>> applied_;  // the settings last used
    std::set<int> channels_;  // whose status was published since the run started
    // What LinkChange said last.
    LinkState saidState_ = LinkState::Off;
    LinkFailure saidFailure_ = LinkFailure::None;
    uint64_t saidConnections_ = 0;
};

}  // namespace zelvo
