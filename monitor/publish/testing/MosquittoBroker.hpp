#pragma once
// For tests: a mosquitto broker of the test's own on 127.0.0.1 on a free port,
// which the test can stop and start again on the same port, and a subscriber
// that collects what the broker passes on.

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

struct mosquitto;
struct mosquitto_message;

namespace zelvo::testing {

class MosquittoBroker {
  public:
    // Chooses a free port and writes the broker's configuration into folder.
    explicit MosquittoBroker(const std::string& folder);
    ~MosquittoBroker();
    MosquittoBroker(const MosquittoBroker&) = delete;
    MosquittoBroker& operator=(const MosquittoBroker&) = delete;

    // Starts the broker and waits until it takes connections; false if it does not.
    bool Start();
    // Ends the broker (SIGTERM) and waits for it.
    void Stop();
    int Port() const { return port_; }

  private:
    std::string folder_;
    int port_ = 0;
    pid_t pid_ = -1;
};

struct ReceivedMessage {
    std::string topic;
    std::string payload;
    bool retained = false;
};

class TestSubscriber {
  public:
    // Subscribes to filter (again after every reconnection) on the broker at port;
    // returns once the broker has confirmed the first subscription.
    TestSubscriber(int port, const std::string& filter);
    ~TestSubscriber();
    TestSubscriber(const TestSubscriber&) = delete;
    TestSubscriber& operator=(const TestSubscriber&) = delete;

    // Waits until done holds for the messages so far (up to a generous limit);
    // returns whether it holds.
    bool WaitFor(const std::function<bool(const std::vector<ReceivedMessage>&)>& done,
                 std::chrono::seconds limit = std::chrono::seconds(30));
    std::vector<ReceivedMessage> Messages() const;

  private:
    static void OnConnect(struct mosquitto*, void* self, int rc);
    static void OnSubscribe(struct mosquitto*, void* self, int, int, const int*);
    static void OnMessage(struct mosquitto*, void* self, const struct mosquitto_message* message);

    std::string filter_;
    struct mosquitto* client_ = nullptr;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<ReceivedMessage> messages_;
    bool subscribed_ = false;
};

// The messages on one topic.
std::vector<ReceivedMessage> OnTopic(const std::vector<ReceivedMessage>& messages,
                                     const std::string& topic);

}  // namespace zelvo::testing
