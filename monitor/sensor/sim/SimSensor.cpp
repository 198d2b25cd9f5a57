// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimSensor.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "VdLink.h"

namespace vdsim {
namespace {

// Quartz frequency constant times quartz density, in Hz * g/cm3 * A / (g/cm3).
constexpr double kQuartzConstant = 44168640000000.0;
// Reference clock of the counter, ticks per second.
constexpr double kTicksPerSecond = 199065600.0;
constexpr int64_t kMaxArgument = 2147483647;

uint64_t SplitMix(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

bool ParseArgument(const std::string& text, int64_t& value) {
    if (text.empty() || text.size() > 10) return false;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size() && value >= 0 &&
           value <= kMaxArgument;
}

}  // namespace

SimSensor::SimSensor(SensorConfig config, uint64_t seed) : config_(std::move(config)), rng_(seed) {}

double SimSensor::Gaussian() {
    // Box-Muller on two uniform numbers in (0, 1].
    double u1 = (static_cast<double>(SplitMix(rng_) >> 11) + 1.0) * 0x1.0p-53;
    double u2 = static_cast<double>(SplitMix(rng_) >> 11) * 0x1.0p-53;
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * 3.14159265358979 * u2);
}

double SimSensor::TrueFrequency(double now) const {
    // Inverse of the thickness formula for a Z-ratio of 1: the crystal loses
    // frequency as the film's areal mass grows.
    double f0 = config_.startFrequency;
    double thickness = config_.depositRate * std::max(0.0, now) + erraticThickness_;
    double f = kQuartzConstant * f0 / (kQuartzConstant + thickness * config_.density * f0);
    if (config_.fault == Fault::Hop && now >= config_.faultAt) f += config_.faultAmount;
    return std::isfinite(f) && f > 1.0 ? f : 1.0;
}

int32_t SimSensor::Flush(bool transmit, bool receive) {
    if (gone_) return VD_IO_ERROR;
    if (transmit) input_.clear();
    if (receive) output_.clear();
    return VD_OK;
}

int32_t SimSensor::Write(const char* bytes, int32_t count, double now) {
    if (gone_) return VD_IO_ERROR;
    if (count < 0 || (bytes == nullptr && count > 0)) return VD_INVALID_PARAMETER;
    const bool leaves =
        config_.fault == Fault::Unplug || (config_.fault == Fault::Replug && !left_);
    if (leaves && commandCount_ >= config_.faultCount) {
        gone_ = true;
        left_ = true;
        if (config_.fault == Fault::Replug) backAt_ = now + config_.replugSeconds;
        return VD_IO_ERROR;
    }
    input_.append(bytes, static_cast<size_t>(count));
    size_t end;
    while ((end = input_.find("\r\n")) != std::string::npos) {
        std::string line = input_.substr(0, end);
        input_.erase(0, end + 2);
        HandleLine(line, now);
    }
    // A line that never ends is not kept without bound.
    if (input_.size() > 4096) input_.clear();
    return VD_OK;
}

void SimSensor::ComeBack(double now) {
    if (BackAt() > now) return;
    gone_ = false;
    backAt_ = kNever;
    ++plug_;
    lineRate_ = 0;
    input_.clear();
    output_.clear();
    gateCycles_ = kFirmwareGateCycles;
    gateTime_ = kFirmwareGateTime;
}

void SimSensor::HandleLine(const std::string& line, double now) {
    ++commandCount_;
    lastCommand_ = line;
    if (config_.fault == Fault::Vanish && commandCount_ > config_.faultCount) {
        gone_ = true;
        return;
    }
    if (config_.fault == Fault::NoReply) return;
    if (config_.fault == Fault::NulOnly) {
        // The line carries NUL bytes in place of every reply.
        Queue(std::string(8, '\0'), now);
        return;
    }
    std::string reply = Answer(line, now);
    if (config_.fault == Fault::LowerEcho && reply.size() >= 2) {
        reply[1] = static_cast<char>(std::tolower(static_cast<unsigned char>(reply[1])));
    }
    if (config_.fault == Fault::NoEcho && reply.size() >= 2) reply.erase(0, 2);
    Queue(std::move(reply), now);
}

std::string SimSensor::Answer(const std::string& line, double now) {
    if (line.size() < 2 || line[0] != '!') return "!?\r\n";
    std::string argument = line.substr(2);
    switch (line[1]) {
        case '@':
            return "!@" + config_.revision + "\r\n";
        case 'A':
            if (config_.hasReply) return config_.reply;
            return ReadingReply(now);
        case 'B': {
            int64_t value = 0;
            if (!ParseArgument(argument, value)) return "!?\r\n";
            if (config_.fault == Fault::BadGateCycles) return "!E\r\n";
            gateCycles_ = value;
            return "!B" + argument + "\r\n";
        }
        case 'C': {
            int64_t value = 0;
            if (!ParseArgument(argument, value)) return "!?\r\n";
            if (config_.fault == Fault::BadGateTime) return "!E\r\n";
            gateTime_ = value;
            return "!C" + argument + "\r\n";
        }
        default:
            return "!?\r\n";
    }
}

std::string SimSensor::ReadingReply(double now) {
    switch (config_.fault) {
        case Fault::Minus1:
            return "!A-1\r\n";
        case Fault::Minus2:
            return "!A-2\r\n";
        case Fault::Zero:
            return "!A0\r\n";
        case Fault::Letters:
            return "!AXYZ\r\n";
        default:
            break;
    }
    VaryDeposit(now);
    double f = TrueFrequency(now);
    if (config_.noise > 0) f = std::max(1.0, f + config_.noise * Gaussian());
    // Time the acknowledged number of crystal cycles takes, in reference ticks.
    double ticks = std::nearbyint(static_cast<double>(gateCycles_) * kTicksPerSecond / f);
    char text[32];
    auto [ptr, ec] = std::to_chars(text, text + sizeof text, static_cast<int64_t>(ticks));
    if (ec != std::errc()) return "!A-2\r\n";  // counter overflow
    return "!A" + std::string(text, ptr) + "\r\n";
}

void SimSensor::VaryDeposit(double now) {
    const double from = std::max(lastReadingAt_, config_.faultAt);
    lastReadingAt_ = std::max(lastReadingAt_, now);
    if (config_.fault != Fault::Erratic || now <= from) return;
    // A rate between (1 - PCT %) and (1 + PCT %) of the steady one, drawn per reading.
    const double uniform = static_cast<double>(SplitMix(rng_) >> 11) * 0x1.0p-53 * 2 - 1;
    erraticThickness_ += config_.depositRate * (now - from) * uniform * config_.faultAmount / 100;
}

void SimSensor::Queue(std::string reply, double now) {
    double at = now + (config_.fault == Fault::Slow ? config_.delayMs * 0.001 : 0.0);
    if (config_.fault == Fault::Split && reply.size() >= 2) {
        size_t half = reply.size() / 2;
        output_.push_back({reply.substr(0, half), at});
        output_.push_back({reply.substr(half), at + config_.splitMs * 0.001});
    } else {
        output_.push_back({std::move(reply), at});
    }
}

double SimSensor::NextReplyAt() const {
    return output_.empty() ? std::numeric_limits<double>::infinity() : output_.front().availableAt;
}

int32_t SimSensor::Read(char* buffer, int32_t capacity, int32_t& returned, double now) {
    returned = 0;
    if (gone_) return VD_IO_ERROR;
    if (capacity < 0 || (buffer == nullptr && capacity > 0)) return VD_INVALID_PARAMETER;
    // One read delivers at most one arrived chunk, so a split reply takes two reads.
    if (output_.empty() || output_.front().availableAt > now) return VD_OK;
    Chunk& chunk = output_.front();
    size_t n = std::min(chunk.bytes.size(), static_cast<size_t>(capacity));
    std::copy(chunk.bytes.begin(), chunk.bytes.begin() + static_cast<std::ptrdiff_t>(n), buffer);
    chunk.bytes.erase(0, n);
    if (chunk.bytes.empty()) output_.pop_front();
    returned = static_cast<int32_t>(n);
    return VD_OK;
}

}  // namespace vdsim
