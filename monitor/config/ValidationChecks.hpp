// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The range checks of the operator's typed entries, as pure functions of the
// typed text. A text is a number only when all of it is one ("." as the decimal
// point, optional sign, exponent and surrounding blanks); commas, letters and
// numbers too large for their variable make it no number, which fails the first
// check of its box. Whole numbers are taken to the nearest integer, halves to even.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelvo {

// Limits of the entries.
inline constexpr int32_t kRunNumberMin = 1;
inline constexpr int32_t kRunNumberMax = 9999;
inline constexpr double kPeriodMin = 0.1;
inline constexpr double kPeriodMax = 2;
inline constexpr int32_t kFilterMin = 1;
inline constexpr int32_t kFilterMax = 99;
inline constexpr double kFrequencyMaxMHz = 30;
inline constexpr double kFrequencyMinMHz = 1;
inline constexpr double kDensityMin = 0.2;
inline constexpr double kDensityMax = 99.99;
inline constexpr double kZFactorMin = 0.1;
inline constexpr double kZFactorMax = 9.99;
inline constexpr double kToolingMin = 0;
inline constexpr double kToolingMax = 999;
// Channel names and serial numbers share a setup-file line of at most 253 characters
// with four separators and the three material numbers (at most 5, 4 and 5 digits).
inline constexpr size_t kChannelNameMaxLength = 100;
inline constexpr size_t kSerialNumberMaxLength = 100;
static_assert(kChannelNameMaxLength + kSerialNumberMaxLength + 4 + 5 + 4 + 5 <= 253);

// The outcome of checking one entry.
struct EntryCheck {
    bool accepted = false;
    double value = 0;   // accepted value (whole for whole-number entries; Hz for frequencies)
    std::string shown;  // the entry's text after acceptance
    const char* message = nullptr;  // the refusal's message
};

// The text as a finite number, or nothing.
std::optional<double> EntryNumber(std::string_view text);
// The text as a whole number of the given width, halves to even, or nothing.
std::optional<int32_t> EntryWhole32(std::string_view text);
std::optional<int16_t> EntryWhole16(std::string_view text);

// Run number 1 to 9999; shows the whole number.
EntryCheck CheckRunNumber(std::string_view text);
// Measurement period 0.1 to 2 s; shows "#.00".
EntryCheck CheckPeriod(std::string_view text);
// Filter length 1 to 99; the text stays as typed.
EntryCheck CheckFilter(std::string_view text);

// Frequency boxes: 0 maximum, 1 minimum, 2 initial, in MHz.
inline constexpr int kFreqMaxBox = 0;
inline constexpr int kFreqMinBox = 1;
inline constexpr int kFreqInitialBox = 2;
// Checks box `index` against the texts of the other boxes. A box whose text is no
// number stands for its stored value (storedMHz). The value is in Hz; the box
// shows MHz in "#0.000".
EntryCheck CheckFrequency(int index, const std::array<std::string, 3>& boxTexts,
                          const std::array<double, 3>& storedMHz);

// Parameter grid columns.
inline constexpr int kNameColumn = -1;
inline constexpr int kDensityColumn = 0;
inline constexpr int kZFactorColumn = 1;
inline constexpr int kToolingColumn = 2;

struct ParameterCheck : EntryCheck {
    // The text the cell is given before the check when it reads as 0.
    std::optional<std::string> zeroText;
};
// Density 0.2 to 99.99 and Z factor 0.1 to 9.99 ("0.000"), tooling 0 to 999 ("0.00").
// A cell whose leading number is 0 (also letters) is first rewritten as zero.
ParameterCheck CheckParameter(int column, std::string_view cellText);

// A channel name (blanks around it dropped) or a serial number: at most 100
// characters, without the setup file's separator ";" or control characters, so
// that its sensor line reads back whole. Shows the text without the blanks.
EntryCheck CheckChannelName(std::string_view text);
EntryCheck CheckSerialNumber(std::string_view text);

// The grid's hint for a column ("" for other columns), with the lock suffix.
std::string ParameterHint(int column, bool locked);

// Sweep timer interval for a period: period / 2 * 1000 ms, halves to even.
int32_t SweepIntervalFor(double period);

}  // namespace zelvo
