// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepPublishing.hpp"

#include "MqttSettingsCheck.hpp"

namespace zelvo {
namespace {

LinkState StateOf(const PublisherState& state) {
    if (state.stopped) return LinkState::Off;
    if (state.connected) return LinkState::Connected;
    if (state.failure.kind == LinkFailure::None) return LinkState::Connecting;
    return state.connections > 0 ? LinkState::Reconnecting : LinkState::Failing;
}

PublishCounts CountsOf(const PublisherState& state) {
    return {state.made, state.delivered, state.dropped, state.queued + state.inFlight + state.lost};
}

}  // namespace

std::string CountsText(const PublishCounts& counts) {
    return "made " + std::to_string(counts.made) + " = delivered " +
           std::to_string(counts.delivered) + " + dropped " + std::to_string(counts.dropped) +
           " + undelivered " + std::to_string(counts.undelivered);
}

SweepPublishing::~SweepPublishing() {
    Close();
}

std::optional<ZelvoError> SweepPublishing::Apply(const MainState& state,
                                                 const std::string& setupFile) {
    const MqttSettingsCheck check = CheckMqttSettings(state, setupFile);
    const std::string wanted = Fingerprint(check);
    // A refusal is said once, not at every sweep.
    if (checked_ == wanted) return std::nullopt;
    checked_ = wanted;
    offReason_ = check.refusal;
    if (!check.refusal.empty()) {
        if (auto failure = Use(std::nullopt)) return failure;
        return ZelvoError(err::InvalidCall, check.refusal);
    }
    std::optional<ZelvoError> failure =
        Use(check.on ? std::optional<MqttSettings>(check.settings) : std::nullopt);
    if (failure) offReason_ = failure->Description();
    return failure;
}

std::optional<ZelvoError> SweepPublishing::Use(const std::optional<MqttSettings>& settings) {
    if (applied_ == settings) return std::nullopt;
    applied_ = settings;
    Close();
    publisher_.reset();
    saidState_ = LinkState::Off;
    saidFailure_ = LinkFailure::None;
    saidConnections_ = 0;
    if (!settings) return std::nullopt;
    prefix_ = settings->prefix;
    target_ = settings->host + ":" + std::to_string(settings->port) + " under " + prefix_;
    return StartPublisher(*settings, publisher_);
}

void SweepPublishing::Publish(const SweepRecord& record) {
    if (!publisher_) return;
    for (const ChannelRecord& channel : record.channels) channels_.insert(channel.channel);
    for (PublishMessage& message : SweepMessages(prefix_, record))
        publisher_->Publish(std::move(message));
}

void SweepPublishing::RunStopped() {
    if (!publisher_) return;
    for (PublishMessage& message : StoppedMessages(prefix_, channels_))
        publisher_->Publish(std::move(message));
    channels_.clear();
}

LinkStatus SweepPublishing::Status() const {
    if (!publisher_) return {};
    const PublisherState state = publisher_->State();
    LinkStatus status;
    status.state = StateOf(state);
    if (status.state == LinkState::Failing || status.state == LinkState::Reconnecting)
        status.reason = state.failure.reason;
    status.counts = CountsOf(state);
    status.failedAttempts = state.failedAttempts;
    return status;
}

std::optional<std::string> SweepPublishing::LinkChange() {
    if (!publisher_) return std::nullopt;
    const PublisherState state = publisher_->State();
    const LinkState now = StateOf(state);
    std::string line;
    if (now == LinkState::Connected) {
        if (saidState_ == now && saidConnections_ == state.connections) return std::nullopt;
        line = "connected to " + target_;
        if (state.connections > 1) line += " again (so far " + CountsText(CountsOf(state)) + ")";
    } else if (now == LinkState::Failing || now == LinkState::Reconnecting) {
        if (saidState_ == now && saidFailure_ == state.failure.kind) return std::nullopt;
        line = (saidState_ == LinkState::Connected ? "lost " : "cannot connect to ") + target_ +
               ": " + state.failure.reason;
    } else {
        return std::nullopt;
    }
    saidState_ = now;
    saidFailure_ = state.failure.kind;
    saidConnections_ = state.connections;
    return line;
}

void SweepPublishing::Close() {
    if (!publisher_) return;
    RunStopped();
    publisher_->Stop();
}

std::string SweepPublishing::Finish() {
    if (!publisher_) return "";
    Close();
    return CountsText(Status().counts);
}

}  // namespace zelvo
