// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// For tests: a mosquitto broker of the test's own on 127.0.0.1 on a free port,
// which the test can stop, freeze, kill and start again on the same port, with a
// password file or a TLS listener when asked; a subscriber that collects what the
// broker passes on; and a port that takes connections but never answers.

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

// What the broker asks of its clients beyond the defaults.
struct BrokerSecurity {
    std::string user;  // with password: the one user of a password file; anonymous refused
    std::string password;
    bool tls = false;  // a TLS listener whose certificate is signed by the folder's "ca"
};

// Makes the certificate authority name.crt (with name.key) in folder; returns the
// certificate's path. Throws when openssl fails.
std::string MakeAuthority(const std::string& folder, const std::string& name);

class MosquittoBroker {
  public:
    // Chooses a free port and writes the broker's configuration (and the files the
    // security asks for) into folder.
    explicit MosquittoBroker(const std::string& folder, const BrokerSecurity& security = {});
    ~MosquittoBroker();
    MosquittoBroker(const MosquittoBroker&) = delete;
    MosquittoBroker& operator=(const MosquittoBroker&) = delete;

    // Starts the broker and waits until it takes connections; false if it does not.
    bool Start();
    // Ends the broker (SIGTERM) and waits for it.
    void Stop();
    // Kills the broker (SIGKILL, also a frozen one): its sessions are lost.
    void Kill();
    // Freezes the broker (SIGSTOP): its connections stay open and nothing answers.
    void Freeze();
    void Continue();
    int Port() const { return port_; }
    // What the broker logged so far (a connection's line shows its client id, clean
    // session flag and keep-alive: "as ID (p2, c0, k5)").
    std::string Log() const;

  private:
    void End(int signal);

    std::string folder_;
    int port_ = 0;
    pid_t pid_ = -1;
};

// A listening socket on 127.0.0.1 that takes connections (the kernel completes
// them) but never reads or answers.
class SilentListener {
  public:
    SilentListener();
    ~SilentListener();
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;
    int Port() const { return port_; }

  private:
    int fd_ = -1;
    int port_ = 0;
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
