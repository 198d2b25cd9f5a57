// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a connection to the broker failed or was lost, in the operator's words and by
// kind: the kind decides whether a failure is news (another kind) or a repeat.

#include <string>

namespace zelvo {

enum class LinkFailure {
    None,
    Resolve,      // the host name cannot be resolved
    Refused,      // nothing takes connections on the port
    TimedOut,     // no answer within the keep-alive
    NotAccepted,  // the broker refused the connection (its CONNACK code)
    Tls,          // the TLS handshake failed
    Closed,       // the connection was closed or reset
    Other,
};

struct FailureCause {
    LinkFailure kind = LinkFailure::None;
    std::string reason;
};

// What the client library knew when an attempt or the link failed.
struct FailureFacts {
    int rc = 0;       // the library's result
    int error = 0;    // errno after it (a resolver's code when the lookup failed)
    int connack = 0;  // the broker's refusal code, when it refused
    std::string tls;  // the library's last TLS error message, if any
    bool wasConnected = false;
};

FailureCause DescribeFailure(const FailureFacts& facts, const std::string& host,
                             int keepAliveSeconds);

}  // namespace zelvo
