// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Zelvo command protocol as pure functions: command texts, reply checks with
// the status each failure gives, the reply number rule and the arithmetic that
// turns a reading into frequency, crystal life, thickness and rate. No I/O, no
// clock, no records: callers pass in what a rule needs.

#include <cstdint>
#include <string>
#include <vector>

#include "SensorStatus.hpp"

namespace zelvo::protocol {

// USB product ID of a Zelvo sensor, as the bridge reports it in hexadecimal.
inline constexpr const char* kProductId = "5C3E";
// Line rate set on every sensor right after it is opened.
inline constexpr int32_t kLineRate = 115200;
// Bytes asked for by each read of a reply.
inline constexpr int32_t kReplyBytes = 252;
// Longest wait for a reply, in ms.
inline constexpr uint32_t kReplyLimitMs = 100;

// --- Commands (texts without the line end) ---
std::string RevisionCommand();
// "!A" with the in-range flag digit, "0" or "1".
std::string ReadingCommand(int32_t inRangeFlag);
std::string GateCyclesCommand(int32_t cycles);
std::string GateTimeCommand(int32_t gateTime);
// The bytes sent for a command: its text and CR LF.
std::string CommandLine(const std::string& command);

// Gate-cycles argument: period (s) x minimum crystal frequency (Hz), halves to even.
int32_t GateCycles(double period, double minFrequency);
// Gate-time argument: period (s) x 50000000, halves to even.
int32_t GateTime(double period);

// --- Argument ranges ---
bool ValidPeriod(double seconds);          // 0.1 to 2.0 s
bool ValidCrystalFrequency(double hertz);  // 1 MHz to 30 MHz
bool ValidMaterial(double density, double zRatio, double tooling);

// --- Replies ---
// The reply text of one read: its non-NUL bytes in arrival order.
std::string ReplyText(const std::vector<char>& buffer);
// Leading and trailing spaces removed (only spaces: a reply keeps its CR LF).
std::string TrimSpaces(const std::string& text);
// Success when the reply begins with the command's two-character echo (any letter
// case), else BadEcho.
int32_t CheckEcho(const std::string& reply, const std::string& command);
// The revision text between the "!@" echo and the reply's last two characters;
// BadEcho without the echo.
int32_t RevisionText(const std::string& reply, std::string& revision);
// The number of a reply text after its echo: optional sign, digits and optional
// fraction, with blanks, tabs and line feeds skipped; reading stops at the first
// other character (an exponent is not part of it); no number reads as 0.
double ReplyNumber(const std::string& text);
// The tick count of a reading reply: Success with ticks > 0, BadReadingEcho,
// SensorMinus1, SensorMinus2 or BadReadingValue.
int32_t ReadingTicks(const std::string& reply, double& ticks);

// --- Arithmetic (a fault throws ZelvoError: division by zero, overflow, NaN) ---
struct CrystalLimits {
    double minimum = 5000000.0;  // end of life, Hz
    double initial = 6000000.0;  // uncoated crystal, Hz
    double maximum = 6100000.0;  // Hz
};
// Limits in range and in order (minimum <= initial <= maximum).
bool ValidLimits(const CrystalLimits& limits);

// Crystal frequency (Hz) from the gate cycles and the reply's tick count.
double Frequency(int32_t gateCycles, double ticks);
bool WithinLimits(double frequency, const CrystalLimits& limits);
// Crystal life in %: 100 for an uncoated crystal, 0 at the end of life; 0 when the
// initial frequency equals the minimum.
double Life(double frequency, const CrystalLimits& limits);

// The deposited material of one sensor.
struct Film {
    double density = 1.0;    // g/cm3
    double zRatio = 1.0;     // acoustic impedance ratio
    double tooling = 100.0;  // %
};
// Thickness in A of a film at crystal frequency f on a crystal whose uncoated
// frequency is f0 (the Z-match equation).
double Thickness(const Film& film, double f0, double f);

// Seconds between two readings of the wrapping millisecond counter.
double ElapsedSeconds(uint32_t startMs, uint32_t nowMs);
// True once at least one whole measurement period has passed.
bool WholePeriodElapsed(double elapsedSeconds, double period);
// Rate in A/s over an interval.
double Rate(double thickness, double baseThickness, double elapsedSeconds);

}  // namespace zelvo::protocol
