// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MqttPublisher.hpp"

#include <mosquitto.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>

#include "MosquittoOnDemand.hpp"

namespace zelvo {
namespace {

constexpr int kLoopTimeoutMs = 20;
constexpr const char* kSystemAuthorities = "/etc/ssl/certs";
// How long an orderly end waits for the broker to take what is queued.
constexpr auto kCloseWait = std::chrono::seconds(2);

// libmosquitto keeps process-wide state; set up once for the program's life.
bool LibraryReady() {
    static const bool ready = mosquitto_lib_init() == MOSQ_ERR_SUCCESS;
    return ready;
}

ZelvoError MqttError(const std::string& what, int rc) {
    return ZelvoError(err::DeviceIoError, "MQTT " + what + ": " + mosquitto_strerror(rc));
}

ZelvoError SettingError(const std::string& what) {
    return ZelvoError(err::InvalidCall, "MQTT " + what);
}

// Refused before the library queued the message: it never will be sent.
bool RefusedByLibrary(int rc) {
    return rc == MOSQ_ERR_INVAL || rc == MOSQ_ERR_NOMEM || rc == MOSQ_ERR_PAYLOAD_SIZE ||
           rc == MOSQ_ERR_MALFORMED_UTF8 || rc == MOSQ_ERR_OVERSIZE_PACKET ||
           rc == MOSQ_ERR_QOS_NOT_SUPPORTED || rc == MOSQ_ERR_NOT_SUPPORTED;
}

// An encrypted key is refused rather than asked for on a terminal.
int NoKeyPassword(char*, int, int, void*) {
    return 0;
}

std::optional<ZelvoError> CheckSettings(const MqttSettings& s) {
    if (s.qos != 0 && s.qos != 1)
        return SettingError("QoS must be 0 or 1, not " + std::to_string(s.qos));
    if (s.keepAliveSeconds < kShortestKeepAlive)
        return SettingError("keep-alive must be at least " + std::to_string(kShortestKeepAlive) +
                            " s, not " + std::to_string(s.keepAliveSeconds));
    if (s.clientId.empty()) return SettingError("session needs a client id");
    if (s.username.empty() && !s.password.empty())
        return SettingError("password needs a user name");
    if (mosquitto_pub_topic_check(MonitorStatusTopic(s.prefix).c_str()) != MOSQ_ERR_SUCCESS)
        return SettingError("topic prefix \"" + s.prefix + "\" cannot be published to");
    return std::nullopt;
}

}  // namespace

MqttPublisher::MqttPublisher(MqttSettings settings) : settings_(std::move(settings)) {}

MqttPublisher::~MqttPublisher() {
    Stop();
    if (client_ != nullptr) mosquitto_destroy(client_);
}

void MqttPublisher::Stop() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable()) worker_.join();
    std::lock_guard lock(mutex_);
    state_.stopped = true;
    state_.connected = false;
}

PublisherState MqttPublisher::State() const {
    std::lock_guard lock(mutex_);
    PublisherState state = state_;
    state.queued = queue_.size();
    return state;
}

std::optional<ZelvoError> MqttPublisher::Open() {
    if (!LibraryReady()) {
        const std::string why = MosquittoLoadFailure();
        return ZelvoError(err::InvalidCall,
                          "MQTT library could not start" + (why.empty() ? "" : ": " + why));
    }
    if (auto failure = CheckSettings(settings_)) return failure;
    client_ = mosquitto_new(settings_.clientId.c_str(), false, this);
    if (client_ == nullptr) return ZelvoError(err::InvalidCall, "MQTT client could not be made");
    mosquitto_connect_callback_set(client_, &MqttPublisher::OnConnect);
    mosquitto_disconnect_callback_set(client_, &MqttPublisher::OnDisconnect);
    mosquitto_publish_callback_set(client_, &MqttPublisher::OnPublish);
    mosquitto_log_callback_set(client_, &MqttPublisher::OnLog);
    int rc =
        mosquitto_int_option(client_, MOSQ_OPT_SEND_MAXIMUM, static_cast<int>(kInFlightWindow));
    if (rc != MOSQ_ERR_SUCCESS) return MqttError("in-flight window", rc);
    if (!settings_.username.empty()) {
        rc = mosquitto_username_pw_set(
            client_, settings_.username.c_str(),
            settings_.password.empty() ? nullptr : settings_.password.c_str());
        if (rc != MOSQ_ERR_SUCCESS) return MqttError("user name", rc);
    }
    if (auto failure = Secure()) return failure;
    const std::string will = MonitorStatusTopic(settings_.prefix);
    rc = mosquitto_will_set(client_, will.c_str(), static_cast<int>(strlen(kMonitorGone)),
                            kMonitorGone, 1, true);
    if (rc != MOSQ_ERR_SUCCESS) return MqttError("last will", rc);
    worker_ = std::thread([this] { Work(); });
    return std::nullopt;
}

// TLS with the given authority, or the system's authorities when none is given;
// a client certificate only with its key.
std::optional<ZelvoError> MqttPublisher::Secure() {
    if (!settings_.tls) return std::nullopt;
    if (settings_.certFile.empty() != settings_.keyFile.empty())
        return SettingError(
            "TLS: a client certificate needs its key file and a key its certificate");
    const std::pair<const char*, const std::string*> files[] = {
        {"CA file", &settings_.caFile},
        {"certificate", &settings_.certFile},
        {"key file", &settings_.keyFile}};
    for (const auto& [what, path] : files) {
        if (!path->empty() && !std::ifstream(*path))
            return SettingError("TLS: cannot read the " + std::string(what) + " " + *path);
    }
    auto optional = [](const std::string& s) { return s.empty() ? nullptr : s.c_str(); };
    const int rc = mosquitto_tls_set(client_, optional(settings_.caFile),
                                     settings_.caFile.empty() ? kSystemAuthorities : nullptr,
                                     optional(settings_.certFile), optional(settings_.keyFile),
                                     &NoKeyPassword);
    if (rc != MOSQ_ERR_SUCCESS) return MqttError("TLS setup", rc);
    return std::nullopt;
}

void MqttPublisher::Publish(PublishMessage message) {
    {
        std::lock_guard lock(mutex_);
        ++state_.made;
        if (queue_.size() >= settings_.capacity && !queue_.empty()) {
            queue_.pop_front();
            ++state_.dropped;
        }
        queue_.push_back(std::move(message));
    }
    wake_.notify_all();
}

void MqttPublisher::OnConnect(struct mosquitto*, void* self, int rc) {
    auto* publisher = static_cast<MqttPublisher*>(self);
    if (rc != 0) {
        publisher->connack_ = rc;  // the loop then fails with the refusal
        return;
    }
    publisher->connected_ = true;
    publisher->retryMs_ = publisher->settings_.firstRetryMs;
    {
        std::lock_guard lock(publisher->mutex_);
        PublisherState& state = publisher->state_;
        state.connected = true;
        ++state.connections;
        state.failure = {};
        state.failedAttempts = 0;
    }
    publisher->PublishStatus(kMonitorOnline);
}

// The cause comes from the loop's result (LinkDown).
void MqttPublisher::OnDisconnect(struct mosquitto*, void* self, int) {
    static_cast<MqttPublisher*>(self)->disconnected_ = true;
}

void MqttPublisher::OnPublish(struct mosquitto*, void* self, int mid) {
    auto* publisher = static_cast<MqttPublisher*>(self);
    if (publisher->statusMids_.erase(mid) > 0) return;
    std::lock_guard lock(publisher->mutex_);
    ++publisher->state_.delivered;
    --publisher->state_.inFlight;
}

// Keeps the library's last TLS error: the handshake's failure is only logged.
void MqttPublisher::OnLog(struct mosquitto*, void* self, int level, const char* text) {
    if (level == MOSQ_LOG_ERR && strncmp(text, "OpenSSL Error", 13) == 0)
        static_cast<MqttPublisher*>(self)->tlsError_ = text;
}

// Starts a connection without waiting for it (the loop completes it), so that
// stopping never waits on a broker that does not answer.
bool MqttPublisher::TryConnect() {
    connack_ = 0;
    disconnected_ = false;
    tlsError_.clear();
    errno = 0;
    const int rc = mosquitto_connect_async(client_, settings_.host.c_str(), settings_.port,
                                           settings_.keepAliveSeconds);
    if (rc != MOSQ_ERR_SUCCESS) LinkDown(rc, errno);
    return rc == MOSQ_ERR_SUCCESS;
}

// A failed attempt or a lost link: its cause for the caller. Messages the library
// holds at QoS 1 are sent again after the next connection; at QoS 0 those not yet
// written are gone.
void MqttPublisher::LinkDown(int rc, int error) {
    const bool wasConnected = connected_;
    connected_ = false;
    const FailureCause cause = DescribeFailure({rc, error, connack_, tlsError_, wasConnected},
                                               settings_.host, settings_.keepAliveSeconds);
    std::lock_guard lock(mutex_);
    state_.connected = false;
    state_.failure = cause;
    if (!wasConnected) ++state_.failedAttempts;
    if (settings_.qos == 0) {
        state_.lost += state_.inFlight;
        state_.inFlight = 0;
    }
}

// Waits before the next attempt, unless told to stop; each wait doubles, up to
// the limit, until a connection is accepted.
void MqttPublisher::BackOff() {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(retryMs_), [this] { return stop_; });
    retryMs_ = std::min(retryMs_ * 2, settings_.lastRetryMs);
}

// Hands queued messages to the client while it is connected, up to the window of
// unacknowledged ones, so that a slow broker leaves them in the bounded queue.
void MqttPublisher::Drain() {
    while (connected_) {
        PublishMessage message;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty() || state_.inFlight >= kInFlightWindow) return;
            message = std::move(queue_.front());
            queue_.pop_front();
            ++state_.inFlight;  // before the library can acknowledge it
        }
        if (!HandOver(message)) return;
    }
}

// False when the library refused the message (counted as lost).
bool MqttPublisher::HandOver(const PublishMessage& message) {
    const int rc = mosquitto_publish(client_, nullptr, message.topic.c_str(),
                                     static_cast<int>(message.payload.size()),
                                     message.payload.data(), settings_.qos, message.retained);
    if (!RefusedByLibrary(rc)) return true;
    std::lock_guard lock(mutex_);
    --state_.inFlight;
    ++state_.lost;
    return false;
}

// The monitor's status goes at QoS 1 whatever the readings' QoS: its
// acknowledgement is then told apart from the readings' by its message id.
void MqttPublisher::PublishStatus(const char* payload) {
    int mid = 0;
    const std::string topic = MonitorStatusTopic(settings_.prefix);
    const int rc = mosquitto_publish(client_, &mid, topic.c_str(),
                                     static_cast<int>(strlen(payload)), payload, 1, true);
    lastStatusMid_ = RefusedByLibrary(rc) ? -1 : mid;
    if (lastStatusMid_ >= 0) statusMids_.insert(mid);
}

void MqttPublisher::Work() {
    retryMs_ = settings_.firstRetryMs;
    bool linking = false;  // a connection is being made or is up
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stop_) break;
        }
        if (!linking && !(linking = TryConnect())) {
            BackOff();
            continue;
        }
        Drain();
        errno = 0;
        const int rc = mosquitto_loop(client_, kLoopTimeoutMs, 1);
        if (rc != MOSQ_ERR_SUCCESS || disconnected_) {
            LinkDown(rc != MOSQ_ERR_SUCCESS ? rc : MOSQ_ERR_CONN_LOST, errno);
            linking = false;
            BackOff();
        }
    }
    Close();
}

// Whether the broker has taken everything: the queue, the messages in flight and
// the status message statusMid (if any).
bool MqttPublisher::Settled(int statusMid) {
    if (statusMid >= 0 && statusMids_.count(statusMid) > 0) return false;
    std::lock_guard lock(mutex_);
    return queue_.empty() && state_.inFlight == 0;
}

// An orderly end: what is queued goes out, the status says "stopped" (a clean
// disconnect does not send the last will), then the link closes. What the broker
// has not taken by then stays counted as undelivered.
void MqttPublisher::Close() {
    auto deadline = std::chrono::steady_clock::now() + kCloseWait;
    bool said = false;
    while (connected_) {
        Drain();
        const bool late = std::chrono::steady_clock::now() >= deadline;
        if (!said && (late || Settled(-1))) {
            PublishStatus(kMonitorStopped);
            said = true;
            deadline = std::chrono::steady_clock::now() + kCloseWait;
        } else if (said && (late || Settled(lastStatusMid_))) {
            break;
        }
        errno = 0;
        const int rc = mosquitto_loop(client_, kLoopTimeoutMs, 1);
        if (rc != MOSQ_ERR_SUCCESS || disconnected_)
            LinkDown(rc != MOSQ_ERR_SUCCESS ? rc : MOSQ_ERR_CONN_LOST, errno);
    }
    // A link that is gone or a refused disconnect leaves the broker to notice the
    // closed socket and send the last will: the subscribers learn that the monitor
    // is gone.
    if (connected_ && mosquitto_disconnect(client_) == MOSQ_ERR_SUCCESS) connected_ = false;
}

std::optional<ZelvoError> StartPublisher(const MqttSettings& settings,
                                         std::unique_ptr<MqttPublisher>& publisher) {
    std::unique_ptr<MqttPublisher> made(new MqttPublisher(settings));
    if (auto failure = made->Open()) return failure;
    publisher = std::move(made);
    return std::nullopt;
}

}  // namespace zelvo
