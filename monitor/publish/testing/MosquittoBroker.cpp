// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MosquittoBroker.hpp"

#include <arpa/inet.h>
#include <fcntl.h>
#include <mosquitto.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

void Run(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0)
        throw std::runtime_error("failed: " + command);
}

// A key the broker can read after it gives up root for its own user.
void MakeKey(const std::string& key, const std::string& request, const std::string& subject) {
    Run(std::string(OPENSSL_PATH) + " req -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes" +
        " -keyout " + key + " " + request + " -subj /CN=" + subject);
    std::filesystem::permissions(key, std::filesystem::perms::others_read,
                                 std::filesystem::perm_options::add);
}

// The broker's certificate for 127.0.0.1, signed by the folder's "ca"; returns the
// configuration lines of the TLS listener.
std::string ServerCertificate(const std::string& folder) {
    const std::string ca = MakeAuthority(folder, "ca");
    const std::string base = folder + "/server";
    MakeKey(base + ".key", "-out " + base + ".csr", "127.0.0.1");
    std::ofstream(base + ".ext") << "subjectAltName=IP:127.0.0.1\n";
    Run(std::string(OPENSSL_PATH) + " x509 -req -days 2 -in " + base + ".csr -CA " + ca +
        " -CAkey " + folder + "/ca.key -CAcreateserial -extfile " + base + ".ext -out " + base +
        ".crt");
    return "cafile " + ca + "\ncertfile " + base + ".crt\nkeyfile " + base + ".key\n";
}

}  // namespace

std::string MakeAuthority(const std::string& folder, const std::string& name) {
    const std::string base = folder + "/" + name;
    MakeKey(base + ".key", "-x509 -days 2 -out " + base + ".crt", name);
    return base + ".crt";
}

MosquittoBroker::MosquittoBroker(const std::string& folder, const BrokerSecurity& security)
    : folder_(folder), port_(FreePort()) {
    std::filesystem::create_directories(folder_);
    std::string access = "allow_anonymous true\n";
    if (!security.user.empty()) {
        const std::string file = folder_ + "/passwords";
        Run(std::string(MOSQUITTO_PASSWD_PATH) + " -b -c " + file + " " + security.user + " " +
            security.password);
        access = "allow_anonymous false\npassword_file " + file + "\n";
    }
    if (security.tls) access += ServerCertificate(folder_);
    std::ofstream config(folder_ + "/mosquitto.conf");
    config << "listener " << port_ << " 127.0.0.1\n" << access << "persistence false\n";
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
    End(SIGTERM);
}

void MosquittoBroker::Kill() {
    End(SIGKILL);
}

void MosquittoBroker::End(int signal) {
    if (pid_ <= 0) return;
    ::kill(pid_, signal);
    ::kill(pid_, SIGCONT);  // a frozen broker takes SIGTERM only once it runs again
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
}

void MosquittoBroker::Freeze() {
    if (pid_ > 0) ::kill(pid_, SIGSTOP);
}

void MosquittoBroker::Continue() {
    if (pid_ > 0) ::kill(pid_, SIGCONT);
}

std::string MosquittoBroker::Log() const {
    std::ifstream file(folder_ + "/mosquitto.log");
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

SilentListener::SilentListener() : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd_, 16) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("no listening socket on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
}

SilentListener::~SilentListener() {
    ::close(fd_);
}

TestSubscriber::TestSubscriber(int port, const std::string& filter) : filter_(filter) {
    mosquitto_lib_init();
    client_ = mosquitto_new(nullptr, true, this);
    if (client_ == nullptr) throw std::runtime_error("no MQTT client");
    mosquitto_connect_callback_set(client_, &TestSubscriber::OnConnect);
    mosquitto_message_callback_set(client_, &TestSubscriber::OnMessage);
    mosquitto_subscribe_callback_set(client_, &TestSubscriber::OnSubscribe);
    mosquitto_reconnect_delay_set(client_, 1, 1, false);
    // A keep-alive that outlasts a frozen broker: the subscriber stays subscribed.
    if (mosquitto_connect(client_, "127.0.0.1", port, 60) != MOSQ_ERR_SUCCESS ||
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
