#include "WireTrace.hpp"

#include <cerrno>
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
    return Open(path, trace);
}

std::optional<ZelvoError> WireTrace::Open(const std::string& path,
                                          std::unique_ptr<WireTrace>& trace) {
    trace.reset();
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) return Failure("cannot be opened for appending", path);
    trace.reset(new WireTrace(path, file));
    return std::nullopt;
}

WireTrace::~WireTrace() {
    // Every line was flushed when written; a failing close loses nothing.
    if (std::fclose(file_) != 0) return;
}

std::optional<ZelvoError> WireTrace::Write(const std::string& serialNumber,
                                           const std::string& command, const Exchange& exchange,
                                           int32_t result) {
    const std::string line =
        TimeStamp() + '\t' + Escape(serialNumber) + '\t' + Escape(protocol::CommandLine(command)) +
        '\t' + Escape(ReceivedBytes(exchange.received)) + '\t' + std::to_string(exchange.status) +
        '\t' + std::to_string(result) + '\t' + std::to_string(exchange.elapsedMs) + '\n';
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() || std::fflush(file_) != 0) {
        return Failure("cannot be written", path_);
    }
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
