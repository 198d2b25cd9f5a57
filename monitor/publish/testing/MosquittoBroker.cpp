#include "MosquittoBroker.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <mosquitto.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace zelvo::testing {
namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A port nobody listens on now: the one the kernel gives to a socket bound to port 0.
int FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("no free port on 127.0.0.1");
    }
    ::close(fd);
    return ntohs(address.sin_port);
}

bool Accepts(int port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return false;
    sockaddr_in address = Loopback(port);
    const bool open = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return open;
}

}  // namespace

MosquittoBroker::MosquittoBroker(const std::string& folder) : folder_(folder), port_(FreePort()) {
    std::filesystem::create_directories(folder_);
    std::ofstream config(folder_ + "/mosquitto.conf");
    config << "listener " << port_ << " 127.0.0.1\nallow_anonymous true\npersistence false\n";
    if (!config) throw std::runtime_error("cannot write the broker's configuration");
}

MosquittoBroker::~MosquittoBroker() {
    Stop();
}

bool MosquittoBroker::Start() {
    const std::string config = folder_ + "/mosquitto.conf";
    const std::string log = folder_ + "/mosquitto.log";
    pid_ = ::fork();
    if (pid_ == 0) {
        const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (fd >= 0) {
            ::dup2(fd, 1);
            ::dup2(fd, 2);
        }
        ::execl(MOSQUITTO_BROKER_PATH, "mosquitto", "-c", config.c_str(), nullptr);
        ::_exit(127);
    }
    if (pid_ < 0) return false;
    for (int attempt = 0; attempt < 500; ++attempt) {
        if (Accepts(port_)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

void MosquittoBroker::Stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
}

TestSubscriber::TestSubscriber(int port, const std::string& filter) : filter_(filter) {
    mosquitto_lib_init();
    client_ = mosquitto_new(nullptr, true, this);
    if (client_ == nullptr) throw std::runtime_error("no MQTT client");
    mosquitto_connect_callback_set(client_, &TestSubscriber::OnConnect);
    mosquitto_message_callback_set(client_, &TestSubscriber::OnMessage);
    mosquitto_subscribe_callback_set(client_, &TestSubscriber::OnSubscribe);
    mosquitto_reconnect_delay_set(client_, 1, 1, false);
    if (mosquitto_connect(client_, "127.0.0.1", port, 10) != MOSQ_ERR_SUCCESS ||
        mosquitto_loop_start(client_) != MOSQ_ERR_SUCCESS) {
        throw std::runtime_error("the subscriber cannot reach the broker");
    }
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, std::chrono::seconds(30), [this] { return subscribed_; }))
        throw std::runtime_error("the broker did not confirm the subscription");
}

void TestSubscriber::OnSubscribe(struct mosquitto*, void* self, int, int, const int*) {
    auto* subscriber = static_cast<TestSubscriber*>(self);
    {
        std::lock_guard lock(subscriber->mutex_);
        subscriber->subscribed_ = true;
    }
    subscriber->changed_.notify_all();
}

TestSubscriber::~TestSubscriber() {
    mosquitto_disconnect(client_);
    mosquitto_loop_stop(client_, true);
    mosquitto_destroy(client_);
}

void TestSubscriber::OnConnect(struct mosquitto* client, void* self, int rc) {
    auto* subscriber = static_cast<TestSubscriber*>(self);
    if (rc == 0) mosquitto_subscribe(client, nullptr, subscriber->filter_.c_str(), 1);
}

void TestSubscriber::OnMessage(struct mosquitto*, void* self, const mosquitto_message* message) {
    auto* subscriber = static_cast<TestSubscriber*>(self);
    {
        std::lock_guard lock(subscriber->mutex_);
        subscriber->messages_.push_back({message->topic,
                                         std::string(static_cast<const char*>(message->payload),
                                                     static_cast<size_t>(message->payloadlen)),
                                         message->retain});
    }
    subscriber->changed_.notify_all();
}

bool TestSubscriber::WaitFor(const std::function<bool(const std::vector<ReceivedMessage>&)>& done,
                             std::chrono::seconds limit) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, limit, [&] { return done(messages_); });
}

std::vector<ReceivedMessage> TestSubscriber::Messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

std::vector<ReceivedMessage> OnTopic(const std::vector<ReceivedMessage>& messages,
                                     const std::string& topic) {
    std::vector<ReceivedMessage> found;
    for (const ReceivedMessage& m : messages)
        if (m.topic == topic) found.push_back(m);
    return found;
}

}  // namespace zelvo::testing
