#include "SweepPublishing.hpp"

#include "Desktop.hpp"
#include "TimeOfDay.hpp"

namespace zelvo {

std::optional<ZelvoError> SweepPublishing::Apply(const MainState& state,
                                                 const std::string& setupFile) {
    const std::string prefix = TopicPrefix(state, setupFile);
    const std::string target =
        state.MqttHost + ":" + std::to_string(state.MqttPort) + " under " + prefix;
    const std::string wanted = state.MqttEnabled == 1 ? target : std::string();
    if (applied_ == wanted) return std::nullopt;
    applied_ = wanted;
    if (publisher_) publisher_->Stop();
    publisher_.reset();
    connected_ = false;
    if (wanted.empty()) return std::nullopt;
    MqttSettings settings;
    settings.host = state.MqttHost;
    settings.port = state.MqttPort;
    settings.prefix = prefix;
    prefix_ = prefix;
    target_ = target;
    return StartPublisher(settings, publisher_);
}

void SweepPublishing::Publish(const SweepRecord& record) {
    if (!publisher_) return;
    for (PublishMessage& message : SweepMessages(prefix_, record))
        publisher_->Publish(std::move(message));
}

std::optional<std::string> SweepPublishing::LinkChange() {
    if (!publisher_ || publisher_->Connected() == connected_) return std::nullopt;
    connected_ = !connected_;
    return std::string(connected_ ? "connected to " : "lost ") + target_ + " (" +
           std::to_string(publisher_->Dropped()) + " dropped so far)";
}

std::string SweepPublishing::Finish() {
    if (!publisher_) return "";
    publisher_->Stop();
    return std::to_string(publisher_->Published()) + " published, " +
           std::to_string(publisher_->Dropped()) + " dropped";
}

LinkStatus SweepPublishing::Status() const {
    LinkStatus status;
    if (!publisher_) return status;
    status.state = publisher_->Connected() ? LinkState::Connected : LinkState::Connecting;
    status.counts.delivered = publisher_->Published();
    status.counts.dropped = publisher_->Dropped();
    return status;
}

double RunTimeNow(const MainState& state) {
    return SecondsAcrossMidnight(state.RunStart, Desktop().SecondsSinceMidnight());
}

}  // namespace zelvo
