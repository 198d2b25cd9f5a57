#include "MqttPublisher.hpp"

#include <mosquitto.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace zelvo {
namespace {

constexpr int kKeepAliveSeconds = 10;
constexpr int kLoopTimeoutMs = 20;

// libmosquitto keeps process-wide state; set up once for the program's life.
bool LibraryReady() {
    static const bool ready = mosquitto_lib_init() == MOSQ_ERR_SUCCESS;
    return ready;
}

ZelvoError MqttError(const std::string& what, int rc) {
    return ZelvoError(err::DeviceIoError, "MQTT " + what + ": " + mosquitto_strerror(rc));
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
}

std::optional<ZelvoError> MqttPublisher::Open() {
    if (!LibraryReady()) return ZelvoError(err::InvalidCall, "MQTT library could not start");
    client_ = mosquitto_new(nullptr, true, this);
    if (client_ == nullptr) return ZelvoError(err::InvalidCall, "MQTT client could not be made");
    mosquitto_connect_callback_set(client_, &MqttPublisher::OnConnect);
    mosquitto_disconnect_callback_set(client_, &MqttPublisher::OnDisconnect);
    const std::string will = MonitorStatusTopic(settings_.prefix);
    const int rc = mosquitto_will_set(client_, will.c_str(), static_cast<int>(strlen(kMonitorGone)),
                                      kMonitorGone, 1, true);
    if (rc != MOSQ_ERR_SUCCESS) return MqttError("last will", rc);
    worker_ = std::thread([this] { Work(); });
    return std::nullopt;
}

void MqttPublisher::Publish(PublishMessage message) {
    {
        std::lock_guard lock(mutex_);
        if (queue_.size() >= settings_.capacity && !queue_.empty()) {
            queue_.pop_front();
            ++dropped_;
        }
        queue_.push_back(std::move(message));
    }
    wake_.notify_all();
}

void MqttPublisher::OnConnect(struct mosquitto* client, void* self, int rc) {
    auto* publisher = static_cast<MqttPublisher*>(self);
    if (rc != 0) return;  // refused: the broker closes the link and the worker tries again
    publisher->connected_ = true;
    publisher->retryMs_ = publisher->settings_.firstRetryMs;
    const std::string topic = MonitorStatusTopic(publisher->settings_.prefix);
    if (mosquitto_publish(client, nullptr, topic.c_str(), static_cast<int>(strlen(kMonitorOnline)),
                          kMonitorOnline, 1, true) != MOSQ_ERR_SUCCESS) {
        ++publisher->dropped_;
    }
}

void MqttPublisher::OnDisconnect(struct mosquitto*, void* self, int) {
    static_cast<MqttPublisher*>(self)->connected_ = false;
}

// Starts a connection without waiting for it (the loop completes it), so that
// stopping never waits on a broker that does not answer.
bool MqttPublisher::TryConnect() {
    const int rc = socketOpen_ ? mosquitto_reconnect_async(client_)
                               : mosquitto_connect_async(client_, settings_.host.c_str(),
                                                         settings_.port, kKeepAliveSeconds);
    if (rc == MOSQ_ERR_SUCCESS) socketOpen_ = true;
    return rc == MOSQ_ERR_SUCCESS;
}

// Waits before the next attempt, unless told to stop; each wait doubles, up to
// the limit, until a connection is accepted.
void MqttPublisher::BackOff() {
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(retryMs_), [this] { return stop_; });
    retryMs_ = std::min(retryMs_ * 2, settings_.lastRetryMs);
}

// Hands queued messages to the client while it is connected and has written
// everything it was given, so that a slow broker leaves them in the bounded queue.
void MqttPublisher::Drain() {
    while (connected_ && !mosquitto_want_write(client_)) {
        PublishMessage message;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty()) return;
            message = std::move(queue_.front());
            queue_.pop_front();
        }
        const int rc = mosquitto_publish(client_, nullptr, message.topic.c_str(),
                                         static_cast<int>(message.payload.size()),
                                         message.payload.data(), 0, message.retained);
        if (rc != MOSQ_ERR_SUCCESS) {
            ++dropped_;
            return;
        }
        ++published_;
    }
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
        if (mosquitto_loop(client_, kLoopTimeoutMs, 1) != MOSQ_ERR_SUCCESS) {
            connected_ = false;
            linking = false;
            BackOff();
        }
    }
    Close();
}

// An orderly end: what is queued goes out, the status says "stopped" (a clean
// disconnect does not send the last will), then the link closes.
void MqttPublisher::Close() {
    if (!connected_) return;
    for (int round = 0; round < 50 && connected_; ++round) {
        Drain();
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty() && !mosquitto_want_write(client_)) break;
        }
        if (mosquitto_loop(client_, kLoopTimeoutMs, 1) != MOSQ_ERR_SUCCESS) return;
    }
    const std::string topic = MonitorStatusTopic(settings_.prefix);
    if (mosquitto_publish(client_, nullptr, topic.c_str(),
                          static_cast<int>(strlen(kMonitorStopped)), kMonitorStopped, 1,
                          true) != MOSQ_ERR_SUCCESS) {
        ++dropped_;
        return;
    }
    for (int round = 0; round < 50 && mosquitto_want_write(client_); ++round) {
        if (mosquitto_loop(client_, kLoopTimeoutMs, 1) != MOSQ_ERR_SUCCESS) return;
    }
    // A refused disconnect leaves the broker to notice the closed socket and send
    // the last will: the subscribers still learn that the monitor is gone.
    if (mosquitto_disconnect(client_) != MOSQ_ERR_SUCCESS) connected_ = false;
}

std::optional<ZelvoError> StartPublisher(const MqttSettings& settings,
                                         std::unique_ptr<MqttPublisher>& publisher) {
    std::unique_ptr<MqttPublisher> made(new MqttPublisher(settings));
    if (auto failure = made->Open()) return failure;
    publisher = std::move(made);
    return std::nullopt;
}

}  // namespace zelvo
