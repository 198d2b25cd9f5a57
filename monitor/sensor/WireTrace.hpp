#pragma once
// The wire trace: when the environment variable ZELVO_TRACE_EXCHANGE names a
// file, every exchange with a sensor is appended to it as one line of
// tab-separated fields:
//   time  serial  command bytes  reply bytes  status  elapsed ms
// The time is the local wall-clock time with milliseconds; bytes outside
// printable ASCII are escaped (\r \n \t \0 \\ and \xHH) so that one line is one
// exchange.

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
    // variable is unset or empty (no file is touched then).
    static std::optional<ZelvoError> FromEnvironment(std::unique_ptr<WireTrace>& trace);
    // Opens `path` for appending into `trace`.
    static std::optional<ZelvoError> Open(const std::string& path,
                                          std::unique_ptr<WireTrace>& trace);
    ~WireTrace();
    WireTrace(const WireTrace&) = delete;
    WireTrace& operator=(const WireTrace&) = delete;

    // One line for one exchange: the bytes sent for `command`, what came back and
    // the status the command ended with.
    std::optional<ZelvoError> Write(const std::string& serialNumber, const std::string& command,
                                    const Exchange& exchange, int32_t status);

    // Bytes as trace text: printable ASCII as it is, the rest escaped.
    static std::string Escape(const std::string& bytes);

  private:
    WireTrace(std::string path, std::FILE* file) : path_(std::move(path)), file_(file) {}

    std::string path_;
    std::FILE* file_ = nullptr;
};

}  // namespace zelvo
