#include "SweepPublishing.hpp"

#include "Desktop.hpp"
#include "MqttSettingsCheck.hpp"
#include "TimeOfDay.hpp"

namespace zelvo {

std::optional<ZelvoError> SweepPublishing::Apply(const MainState& state,
                                                 const std::string& setupFile) {
    const MqttSettingsCheck check = CheckMqttSettings(state, setupFile);
    const std::string wanted = Fingerprint(check);
    if (applied_ == wanted) return std::nullopt;
    applied_ = wanted;
    if (publisher_) publisher_->Stop();
    publisher_.reset();
    connected_ = false;
    offReason_ = check.refusal;
    if (!check.refusal.empty()) return ZelvoError(err::InvalidCall, check.refusal);
    if (!check.on) return std::nullopt;
    prefix_ = check.settings.prefix;
    target_ = check.settings.host + ":" + std::to_string(check.settings.port) + " under " + prefix_;
    std::optional<ZelvoError> failure = StartPublisher(check.settings, publisher_);
    if (failure) offReason_ = failure->Description();
    return failure;
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
