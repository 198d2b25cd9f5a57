// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Publishes messages to an MQTT broker from a worker thread of its own, so that a
// broker that is down or slow never holds up the caller: Publish only queues.
// The queue is bounded; when it is full the oldest message goes and is counted.
// The worker hands at most kInFlightWindow messages to the client library at a
// time; a message is delivered when the broker acknowledges it (at QoS 0: when it
// is written to the connection). The session is persistent (the settings' client
// id, clean session off): messages unacknowledged when the link dies are sent
// again after the next connection, whether or not the broker kept the session.
// The worker connects with a last will ("gone" on the monitor's status topic),
// says "online" when connected and "stopped" when closed in order, and after a
// failed attempt or a lost connection tries again with a back-off that doubles up
// to a limit. The monitor's own status messages (always at QoS 1) are not counted.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "LinkFailure.hpp"
#include "SweepTopics.hpp"
#include "ZelvoError.hpp"

struct mosquitto;

namespace zelvo {

struct MqttSettings {
    std::string host = "localhost";
    int port = 1883;
    std::string prefix;  // topic prefix; the monitor's status is <prefix>/status
    int qos = 1;         // of the readings and statuses: 0 or 1
    int keepAliveSeconds = 5;
    std::string clientId;  // persistent session's client id (setup name and host)
    std::string username;  // empty: no user name
    std::string password;  // read from the password file; empty: none
    bool tls = false;
    std::string caFile;    // with tls: the certificate authority that signed the broker
    std::string certFile;  // with tls: the client's certificate (optional, with keyFile)
    std::string keyFile;
    size_t capacity = 1000;  // messages held while the broker cannot take them
    int firstRetryMs = 250;  // back-off after a failed connection, doubled each time
    int lastRetryMs = 8000;  // up to this

    bool operator==(const MqttSettings&) const = default;
};

// Messages handed to the client library and not yet acknowledged, at most.
inline constexpr uint64_t kInFlightWindow = 32;
// The shortest keep-alive the client library takes.
inline constexpr int kShortestKeepAlive = 5;

// The publisher as the caller may read it at any time: the link and the counts.
// made = delivered + dropped + queued + inFlight + lost.
struct PublisherState {
    bool stopped = false;
    bool connected = false;
    uint64_t connections = 0;     // connections the broker accepted
    FailureCause failure;         // of the last failed attempt or lost link; None when connected
    uint64_t failedAttempts = 0;  // since the last accepted connection
    uint64_t made = 0;
    uint64_t delivered = 0;
    uint64_t dropped = 0;   // the queue was full
    uint64_t queued = 0;    // waiting to be handed to the client library
    uint64_t inFlight = 0;  // handed, not yet acknowledged
    uint64_t lost = 0;      // refused by the library, or at QoS 0 unwritten when the link died
};

class MqttPublisher {
  public:
    ~MqttPublisher();
    MqttPublisher(const MqttPublisher&) = delete;
    MqttPublisher& operator=(const MqttPublisher&) = delete;

    // Sends what is queued (briefly, while the broker takes it), says "stopped" and
    // closes the link; later messages are only queued. Called by the destructor.
    void Stop();

    // Queues a message; never waits for the broker.
    void Publish(PublishMessage message);

    PublisherState State() const;
    bool Connected() const { return State().connected; }

  private:
    friend std::optional<ZelvoError> StartPublisher(const MqttSettings&,
                                                    std::unique_ptr<MqttPublisher>&);
    explicit MqttPublisher(MqttSettings settings);
    std::optional<ZelvoError> Open();
    std::optional<ZelvoError> Secure();
    void Work();
    bool TryConnect();
    void LinkDown(int rc, int error);
    void BackOff();
    void Drain();
    bool HandOver(const PublishMessage& message);
    void PublishStatus(const char* payload);
    bool Settled(int statusMid);
    void Close();
    static void OnConnect(struct mosquitto*, void* self, int rc);
    static void OnDisconnect(struct mosquitto*, void* self, int rc);
    static void OnPublish(struct mosquitto*, void* self, int mid);
    static void OnLog(struct mosquitto*, void* self, int level, const char* text);

    MqttSettings settings_;
    struct mosquitto* client_ = nullptr;
    std::thread worker_;
    mutable std::mutex mutex_;  // guards what the caller shares: queue_, stop_, state_
    std::condition_variable wake_;
    std::deque<PublishMessage> queue_;
    bool stop_ = false;
    PublisherState state_;
    // The worker's own (the library's callbacks run on the worker thread).
    bool connected_ = false;
    bool disconnected_ = false;  // the library closed the link since the last attempt
    int retryMs_ = 0;
    int connack_ = 0;
    std::string tlsError_;
    std::set<int> statusMids_;  // the monitor's status messages not yet acknowledged
    int lastStatusMid_ = -1;
};

// Creates the client and starts its worker; publisher stays empty on failure.
std::optional<ZelvoError> StartPublisher(const MqttSettings& settings,
                                         std::unique_ptr<MqttPublisher>& publisher);

}  // namespace zelvo
