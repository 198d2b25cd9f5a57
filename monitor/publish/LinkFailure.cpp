// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkFailure.hpp"

#include <mosquitto.h>
#include <netdb.h>

#include <cerrno>
#include <cstring>

namespace zelvo {
namespace {

// "Connection Refused: not authorised." -> "not authorised"
std::string ConnackText(int code) {
    std::string text = mosquitto_connack_string(code);
    const std::string lead = "Connection Refused: ";
    if (text.rfind(lead, 0) == 0) text.erase(0, lead.size());
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text + " (code " + std::to_string(code) + ")";
}

// "OpenSSL Error[0]: error:0A000086:SSL routines::certificate verify failed"
// -> "certificate verify failed"
std::string TlsText(const std::string& message) {
    const size_t colon = message.rfind(':');
    return colon == std::string::npos ? message : message.substr(colon + 1);
}

FailureCause FromErrno(int error) {
    switch (error) {
        case ECONNREFUSED:
            return {LinkFailure::Refused, "connection refused"};
        case ETIMEDOUT:
            return {LinkFailure::TimedOut, "timed out"};
        case ECONNRESET:
        case EPIPE:
            return {LinkFailure::Closed, "the connection was closed"};
        default:
            return {LinkFailure::Other, std::strerror(error)};
    }
}

}  // namespace

FailureCause DescribeFailure(const FailureFacts& facts, const std::string& host,
                             int keepAliveSeconds) {
    const std::string seconds = std::to_string(keepAliveSeconds) + " s";
    switch (facts.rc) {
        case MOSQ_ERR_EAI:
            return {LinkFailure::Resolve,
                    "cannot resolve the host " + host +
                        (facts.error < 0 ? std::string(" (") + gai_strerror(facts.error) + ")"
                                         : std::string())};
        case MOSQ_ERR_ERRNO:
            return FromErrno(facts.error);
        case MOSQ_ERR_KEEPALIVE:
            return {LinkFailure::TimedOut,
                    facts.wasConnected ? "the broker stopped answering (keep-alive " + seconds + ")"
                                       : "timed out: no answer within " + seconds};
        case MOSQ_ERR_CONN_REFUSED:
            return {LinkFailure::NotAccepted,
                    "refused by the broker: " + ConnackText(facts.connack)};
        case MOSQ_ERR_TLS:
            return {LinkFailure::Tls,
                    "TLS failure: " + (facts.tls.empty() ? std::string(mosquitto_strerror(facts.rc))
                                                         : TlsText(facts.tls))};
        case MOSQ_ERR_CONN_LOST:
            return {LinkFailure::Closed, "the connection was closed"};
        default:
            return {LinkFailure::Other, mosquitto_strerror(facts.rc)};
    }
}

}  // namespace zelvo
