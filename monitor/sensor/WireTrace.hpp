// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The wire trace: when the environment variable ZELVO_TRACE_EXCHANGE names a
// file, every exchange with a sensor is appended to it as one line of
// tab-separated fields:
//   time  serial  command bytes  reply bytes  exchange status  result status  elapsed ms
// The exchange status is the link's (a reply came, none in 0.1 s, sensor gone);
// the result status is what the operation returned to its caller, which also
// judges the reply and the reading (an out-of-limits frequency: 0 and 8). An
// operation that goes on to a further exchange shows 0 on the line before.
// The time is the local wall-clock time with milliseconds; bytes outside
// printable ASCII are escaped (\r \n \t \0 \\ and \xHH) so that one line is one
// exchange.
// When a line would take the file past its cap (ZELVO_TRACE_MAX_MB, 64 MiB unless
// set, 0 for none), the file is renamed with ".1" appended, replacing the older
// one, and the trace goes on in a fresh file: at most two files exist.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "ZelvoError.hpp"

namespace zelvo {

struct Exchange;

class WireTrace {
  public:
    // The trace named by ZELVO_TRACE_EXCHANGE into `trace`, or nullptr when the
    // variable is unset or empty (no file is touched then). A cap that is no whole
    // number of MiB is returned as the failure, and the trace opened with the default.
    static std::optional<ZelvoError> FromEnvironment(std::unique_ptr<WireTrace>& trace);
    // Opens `path` for appending into `trace`, capped at `maxBytes` (0: no cap).
    static std::optional<ZelvoError> Open(const std::string& path,
                                          std::unique_ptr<WireTrace>& trace, uint64_t maxBytes);
    ~WireTrace();
    WireTrace(const WireTrace&) = delete;
    WireTrace& operator=(const WireTrace&) = delete;

    // One line for one exchange: the bytes sent for `command`, what came back, the
    // exchange's status and the `result` its operation returned.
    std::optional<ZelvoError> Write(const std::string& serialNumber, const std::string& command,
                                    const Exchange& exchange, int32_t result);

    // Bytes as trace text: printable ASCII as it is, the rest escaped.
    static std::string Escape(const std::string& bytes);

  private:
    WireTrace(std::string path, std::FILE* file, uint64_t maxBytes, uint64_t size)
        : path_(std::move(path)), file_(file), maxBytes_(maxBytes), size_(size) {}
    // Moves the file to path_ + ".1" and begins a fresh one.
    std::optional<ZelvoError> Rotate();

    std::string path_;
    std::FILE* file_ = nullptr;
    uint64_t maxBytes_ = 0;
    uint64_t size_ = 0;  // bytes in the current file
};

}  // namespace zelvo
