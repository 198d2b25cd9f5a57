// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "MosquittoOnDemand.hpp"

#include <dlfcn.h>
#include <mosquitto.h>

#include <mutex>

namespace zelvo {
namespace {

// The run-time name of the library the headers describe.
constexpr const char* kLibrary = "libmosquitto.so.1";
constexpr const char* kNotLoaded = "the MQTT client library could not be loaded";

std::mutex failureMutex;
std::string failure;

void Fail(const char* reason) {
    const std::lock_guard lock(failureMutex);
    if (failure.empty()) failure = reason != nullptr ? reason : kNotLoaded;
}

void* Library() {
    static void* const handle = [] {
        void* h = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
        if (h == nullptr) Fail(dlerror());
        return h;
    }();
    return handle;
}

// The library's own function of that name (looked up in the library itself, so
// never one of the forwarders below).
template <typename Function>
Function Real(const char* name) {
    void* const library = Library();
    if (library == nullptr) return nullptr;
    void* const symbol = dlsym(library, name);
    if (symbol == nullptr) Fail(dlerror());
    return reinterpret_cast<Function>(symbol);
}

}  // namespace

std::string MosquittoLoadFailure() {
    const std::lock_guard lock(failureMutex);
    return failure;
}

}  // namespace zelvo

// Each forwarder finds its function once and calls it, or returns the failure.
#define ZELVO_FORWARD(name, failed, ...)                            \
    static const auto real = zelvo::Real<decltype(&::name)>(#name); \
    return real != nullptr ? real(__VA_ARGS__) : failed

extern "C" {

int mosquitto_lib_init(void) {
    ZELVO_FORWARD(mosquitto_lib_init, MOSQ_ERR_UNKNOWN);
}

const char* mosquitto_strerror(int code) {
    ZELVO_FORWARD(mosquitto_strerror, zelvo::kNotLoaded, code);
}

const char* mosquitto_connack_string(int code) {
    ZELVO_FORWARD(mosquitto_connack_string, zelvo::kNotLoaded, code);
}

int mosquitto_pub_topic_check(const char* topic) {
    ZELVO_FORWARD(mosquitto_pub_topic_check, MOSQ_ERR_UNKNOWN, topic);
}

struct mosquitto* mosquitto_new(const char* id, bool cleanSession, void* object) {
    ZELVO_FORWARD(mosquitto_new, nullptr, id, cleanSession, object);
}

void mosquitto_destroy(struct mosquitto* client) {
    ZELVO_FORWARD(mosquitto_destroy, void(), client);
}

void mosquitto_connect_callback_set(struct mosquitto* client,
                                    void (*onConnect)(struct mosquitto*, void*, int)) {
    ZELVO_FORWARD(mosquitto_connect_callback_set, void(), client, onConnect);
}

void mosquitto_disconnect_callback_set(struct mosquitto* client,
                                       void (*onDisconnect)(struct mosquitto*, void*, int)) {
    ZELVO_FORWARD(mosquitto_disconnect_callback_set, void(), client, onDisconnect);
}

void mosquitto_publish_callback_set(struct mosquitto* client,
                                    void (*onPublish)(struct mosquitto*, void*, int)) {
    ZELVO_FORWARD(mosquitto_publish_callback_set, void(), client, onPublish);
}

void mosquitto_log_callback_set(struct mosquitto* client,
                                void (*onLog)(struct mosquitto*, void*, int, const char*)) {
    ZELVO_FORWARD(mosquitto_log_callback_set, void(), client, onLog);
}

int mosquitto_int_option(struct mosquitto* client, enum mosq_opt_t option, int value) {
    ZELVO_FORWARD(mosquitto_int_option, MOSQ_ERR_UNKNOWN, client, option, value);
}

int mosquitto_username_pw_set(struct mosquitto* client, const char* username,
                              const char* password) {
    ZELVO_FORWARD(mosquitto_username_pw_set, MOSQ_ERR_UNKNOWN, client, username, password);
}

int mosquitto_tls_set(struct mosquitto* client, const char* caFile, const char* caPath,
                      const char* certFile, const char* keyFile,
                      int (*password)(char*, int, int, void*)) {
    ZELVO_FORWARD(mosquitto_tls_set, MOSQ_ERR_UNKNOWN, client, caFile, caPath, certFile, keyFile,
                  password);
}

int mosquitto_will_set(struct mosquitto* client, const char* topic, int length, const void* payload,
                       int qos, bool retain) {
    ZELVO_FORWARD(mosquitto_will_set, MOSQ_ERR_UNKNOWN, client, topic, length, payload, qos,
                  retain);
}

int mosquitto_connect_async(struct mosquitto* client, const char* host, int port, int keepAlive) {
    ZELVO_FORWARD(mosquitto_connect_async, MOSQ_ERR_UNKNOWN, client, host, port, keepAlive);
}

int mosquitto_disconnect(struct mosquitto* client) {
    ZELVO_FORWARD(mosquitto_disconnect, MOSQ_ERR_UNKNOWN, client);
}

int mosquitto_loop(struct mosquitto* client, int timeout, int maxPackets) {
    ZELVO_FORWARD(mosquitto_loop, MOSQ_ERR_UNKNOWN, client, timeout, maxPackets);
}

int mosquitto_publish(struct mosquitto* client, int* id, const char* topic, int length,
                      const void* payload, int qos, bool retain) {
    ZELVO_FORWARD(mosquitto_publish, MOSQ_ERR_UNKNOWN, client, id, topic, length, payload, qos,
                  retain);
}

}  // extern "C"
