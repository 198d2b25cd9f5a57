// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZelvoProtocol.hpp"

#include <cmath>
#include <string_view>

#include "Numbers.hpp"
#include "Strings.hpp"
#include "ZelvoError.hpp"

namespace zelvo::protocol {
namespace {

constexpr double kPi = 3.14159265358979;
// AT-cut frequency constant (166800 Hz cm) x quartz density (2.648 g/cm3) x 1e8 A/cm.
constexpr double kQuartzConstant = 44168640000000.0;
// Reference clock of the sensor's counter, ticks per second.
constexpr double kTicksPerSecond = 199065600.0;
// Gate time counts in units of 20 ns.
constexpr double kGateTimeUnitsPerSecond = 50000000.0;

// A finite value, or a run-time error for an arithmetic fault.
double Finite(double value) {
    if (std::isnan(value)) throw ZelvoError(err::InvalidCall, "Invalid procedure call or argument");
    if (std::isinf(value)) throw ZelvoError(err::Overflow, "Overflow");
    return value;
}

double Divide(double numerator, double denominator) {
    if (denominator == 0.0) throw ZelvoError(err::DivisionByZero, "Division by zero");
    return Finite(numerator / denominator);
}

}  // namespace

std::string RevisionCommand() {
    return "!@";
}

std::string ReadingCommand(int32_t inRangeFlag) {
    return "!A" + std::to_string(inRangeFlag);
}

std::string GateCyclesCommand(int32_t cycles) {
    return "!B" + std::to_string(cycles);
}

std::string GateTimeCommand(int32_t gateTime) {
    return "!C" + std::to_string(gateTime);
}

std::string CommandLine(const std::string& command) {
    return command + "\r\n";
}

int32_t GateCycles(double period, double minFrequency) {
    return RoundToInt32(period * minFrequency);
}

int32_t GateTime(double period) {
    return RoundToInt32(period * kGateTimeUnitsPerSecond);
}

bool ValidPeriod(double seconds) {
    return seconds >= 0.1 && seconds <= 2.0;
}

bool ValidCrystalFrequency(double hertz) {
    return hertz >= 1000000.0 && hertz <= 30000000.0;
}

bool ValidMaterial(double density, double zRatio, double tooling) {
    return density >= 0.2 && density <= 99.99 && zRatio >= 0.1 && zRatio <= 9.99 &&
           tooling >= 0.0 && tooling <= 999.0;
}

std::string ReplyText(const std::vector<char>& buffer) {
    std::string reply;
    for (char c : buffer) {
        if (c != '\0') reply += c;
    }
    return reply;
}

std::string TrimSpaces(const std::string& text) {
    size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return "";
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

int32_t CheckEcho(const std::string& reply, const std::string& command) {
    const std::string_view echo = std::string_view(command).substr(0, 2);
    if (reply.size() >= 2 && EqualsNoCase(std::string_view(reply).substr(0, 2), echo)) {
        return ZelvoStatus::Success;
    }
    return ZelvoStatus::BadEcho;
}

int32_t RevisionText(const std::string& reply, std::string& revision) {
    revision.clear();
    if (CheckEcho(reply, RevisionCommand()) != ZelvoStatus::Success) return ZelvoStatus::BadEcho;
    if (reply.size() > 4) revision = reply.substr(2, reply.size() - 4);
    return ZelvoStatus::Success;
}

double ReplyNumber(const std::string& text) {
    std::string number;
    bool point = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n') continue;
        if ((c == '+' || c == '-') && number.empty()) {
            number += c;
        } else if (c >= '0' && c <= '9') {
            number += c;
        } else if (c == '.' && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    return LeadingNumber(number);
}

int32_t ReadingTicks(const std::string& reply, double& ticks) {
    ticks = 0.0;
    if (CheckEcho(reply, "!A") != ZelvoStatus::Success) return ZelvoStatus::BadReadingEcho;
    const double number = ReplyNumber(reply.substr(2));
    if (number == -1.0) return ZelvoStatus::SensorMinus1;
    if (number == -2.0) return ZelvoStatus::SensorMinus2;
    if (number <= 0.0) return ZelvoStatus::BadReadingValue;
    ticks = number;
    return ZelvoStatus::Success;
}

bool ValidLimits(const CrystalLimits& limits) {
    return ValidCrystalFrequency(limits.maximum) && ValidCrystalFrequency(limits.minimum) &&
           ValidCrystalFrequency(limits.initial) && limits.minimum <= limits.initial &&
           limits.initial <= limits.maximum;
}

double Frequency(int32_t gateCycles, double ticks) {
    return Divide(gateCycles * kTicksPerSecond, ticks);
}

bool WithinLimits(double frequency, const CrystalLimits& limits) {
    return frequency <= limits.maximum && frequency >= limits.minimum;
}

double Life(double frequency, const CrystalLimits& limits) {
    const double f0 = limits.initial;
    if (f0 == limits.minimum) return 0.0;
    return Finite(100.0 - (f0 - frequency) * 100.0 / (f0 - limits.minimum));
}

double Thickness(const Film& film, double f0, double f) {
    const double a = Finite(film.density * kPi * f * film.zRatio);
    double t = Divide(kQuartzConstant, a);
    const double b = Divide((f0 - f) * kPi, f0);
    t = Finite(t * std::atan(film.zRatio * std::tan(b)));
    return Finite(film.tooling * t * 0.01);
}

double ElapsedSeconds(uint32_t startMs, uint32_t nowMs) {
    // Unsigned difference: correct across the counter's wrap, never negative.
    return static_cast<double>(nowMs - startMs) * 0.001;
}

bool WholePeriodElapsed(double elapsedSeconds, double period) {
    return std::floor(elapsedSeconds / period) != 0.0;
}

double Rate(double thickness, double baseThickness, double elapsedSeconds) {
    return Divide(thickness - baseThickness, elapsedSeconds);
}

}  // namespace zelvo::protocol
