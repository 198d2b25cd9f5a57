// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WireTrace.hpp"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "ZelvoLink.hpp"
#include "ZelvoProtocol.hpp"

namespace zelvo {
namespace {

constexpr const char* kTraceVariable = "ZELVO_TRACE_EXCHANGE";
constexpr const char* kMaxVariable = "ZELVO_TRACE_MAX_MB";
constexpr uint64_t kMiB = 1024 * 1024;
constexpr uint64_t kDefaultMaxMiB = 64;

// Local time as "yyyy-mm-dd hh:mm:ss.mmm".
std::string TimeStamp() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[32];
    const size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, ".%03d", static_cast<int>(millis));
    return std::string(text, n) + fraction;
}

ZelvoError Failure(const std::string& what, const std::string& path) {
    return ZelvoError(err::PathFileAccess,
                      "Wire trace " + path + ": " + what + " (" + std::strerror(errno) + ")");
}

// Closes a trace file. Every line was flushed when written, so a failing close
// loses nothing.
void CloseFlushed(std::FILE* file) {
    if (std::fclose(file) != 0) return;
}

// The cap in bytes named by ZELVO_TRACE_MAX_MB in MiB: unset or empty, the
// default; not a whole number of MiB, the default and the failure to report.
std::optional<ZelvoError> MaxBytesFromEnvironment(uint64_t& maxBytes) {
    maxBytes = kDefaultMaxMiB * kMiB;
    const char* text = std::getenv(kMaxVariable);
    if (text == nullptr || *text == '\0') return std::nullopt;
    const char* end = text + std::strlen(text);
    uint64_t mib = 0;
    const auto [stop, failure] = std::from_chars(text, end, mib);
    if (failure != std::errc() || stop != end || mib > UINT64_MAX / kMiB) {
        return ZelvoError(err::TypeMismatch, std::string(kMaxVariable) + "=" + text +
                                                 " is not a whole number of MiB: the wire "
                                                 "trace is capped at " +
                                                 std::to_string(kDefaultMaxMiB) + " MiB");
    }
    maxBytes = mib * kMiB;
    return std::nullopt;
}

// The bytes of a read buffer up to its last non-NUL byte (the buffer is zeroed
// before each read, so NULs within the reply are kept).
std::string ReceivedBytes(const std::vector<char>& buffer) {
    std::string bytes(buffer.begin(), buffer.end());
    bytes.erase(bytes.find_last_not_of('\0') + 1);
    return bytes;
}

}  // namespace

std::optional<ZelvoError> WireTrace::FromEnvironment(std::unique_ptr<WireTrace>& trace) {
    trace.reset();
    const char* path = std::getenv(kTraceVariable);
    if (path == nullptr || *path == '\0') return std::nullopt;
    uint64_t maxBytes = 0;
    const std::optional<ZelvoError> badCap = MaxBytesFromEnvironment(maxBytes);
    // A trace that cannot be opened is the failure to report; its cap is moot.
    if (auto error = Open(path, trace, maxBytes)) return error;
    return badCap;
}

std::optional<ZelvoError> WireTrace::Open(const std::string& path,
                                          std::unique_ptr<WireTrace>& trace, uint64_t maxBytes) {
    trace.reset();
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) return Failure("cannot be opened for appending", path);
    struct stat status {};
    if (::fstat(::fileno(file), &status) != 0) {
        const ZelvoError error = Failure("cannot be measured", path);
        CloseFlushed(file);
        return error;
    }
    // The lines already there count towards the cap; a pipe or a terminal has no
    // size to keep and is never capped.
    if (S_ISREG(status.st_mode)) {
        trace.reset(new WireTrace(path, file, maxBytes, static_cast<uint64_t>(status.st_size)));
    } else {
        trace.reset(new WireTrace(path, file, 0, 0));
    }
    return std::nullopt;
}

WireTrace::~WireTrace() {
    CloseFlushed(file_);
}

std::optional<ZelvoError> WireTrace::Write(const std::string& serialNumber,
                                           const std::string& command, const Exchange& exchange,
                                           int32_t result) {
    const std::string line =
        TimeStamp() + '\t' + Escape(serialNumber) + '\t' + Escape(protocol::CommandLine(command)) +
        '\t' + Escape(ReceivedBytes(exchange.received)) + '\t' + std::to_string(exchange.status) +
        '\t' + std::to_string(result) + '\t' + std::to_string(exchange.elapsedMs) + '\n';
    // A line longer than the cap still goes into a fresh file of its own.
    if (maxBytes_ != 0 && size_ != 0 && size_ + line.size() > maxBytes_) {
        if (auto error = Rotate()) return error;
    }
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() || std::fflush(file_) != 0) {
        return Failure("cannot be written", path_);
    }
    size_ += line.size();
    return std::nullopt;
}

std::optional<ZelvoError> WireTrace::Rotate() {
    const std::string older = path_ + ".1";
    // Renamed while still open, the file keeps what was written to it.
    if (std::rename(path_.c_str(), older.c_str()) != 0) {
        return Failure("cannot be renamed to " + older, path_);
    }
    std::FILE* fresh = std::fopen(path_.c_str(), "wb");
    if (fresh == nullptr) return Failure("cannot be begun afresh", path_);
    CloseFlushed(file_);
    file_ = fresh;
    size_ = 0;
    return std::nullopt;
}

std::string WireTrace::Escape(const std::string& bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\r':
                text += "\\r";
                break;
            case '\n':
                text += "\\n";
                break;
            case '\t':
                text += "\\t";
                break;
            case '\0':
                text += "\\0";
                break;
            case '\\':
                text += "\\\\";
                break;
            default:
                if (byte >= 0x20 && byte < 0x7F) {
                    text += c;
                } else {
                    text += "\\x";
                    text += kHex[byte >> 4];
                    text += kHex[byte & 0x0F];
                }
        }
    }
    return text;
}

}  // namespace zelvo
