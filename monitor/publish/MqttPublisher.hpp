#pragma once
// Publishes messages to an MQTT broker from a worker thread of its own, so that a
// broker that is down or slow never holds up the caller: Publish only queues.
// The queue is bounded; when it is full the oldest message goes and is counted.
// The worker connects with a last will ("gone" on the monitor's status topic),
// says "online" when connected and "stopped" when closed in order, and after a
// lost connection tries again with a back-off that doubles up to a limit.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

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

    bool Connected() const { return connected_; }
    uint64_t Published() const { return published_; }
    uint64_t Dropped() const { return dropped_; }

  private:
    friend std::optional<ZelvoError> StartPublisher(const MqttSettings&,
                                                    std::unique_ptr<MqttPublisher>&);
    explicit MqttPublisher(MqttSettings settings);
    std::optional<ZelvoError> Open();
    void Work();
    bool TryConnect();
    void BackOff();
    void Drain();
    void Close();
    static void OnConnect(struct mosquitto*, void* self, int rc);
    static void OnDisconnect(struct mosquitto*, void* self, int rc);

    MqttSettings settings_;
    struct mosquitto* client_ = nullptr;
    std::thread worker_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<PublishMessage> queue_;
    bool stop_ = false;
    bool socketOpen_ = false;  // worker thread only, as retryMs_
    int retryMs_ = 0;
    std::atomic<bool> connected_{false};
    std::atomic<uint64_t> published_{0};
    std::atomic<uint64_t> dropped_{0};
};

// Creates the client and starts its worker; publisher stays empty on failure.
std::optional<ZelvoError> StartPublisher(const MqttSettings& settings,
                                         std::unique_ptr<MqttPublisher>& publisher);

}  // namespace zelvo
