// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The operator's messages and hints of input validation. Message boxes carry the
// OK button only, no icon and the application's title.

namespace zelvo {

inline constexpr const char* kRunRangeMessage = "Run# must be an integer between 1 and 9999.";
inline constexpr const char* kPeriodRangeMessage = "Period must be between 0.1 and 2 sec.";
inline constexpr const char* kFilterRangeMessage = "Filter must be between 1 and 99.";
inline constexpr const char* kMaxFrequencyLimitMessage = "Max. Frequency must be <= 30 MHZ.";
inline constexpr const char* kMaxBelowInitialMessage =
    "Max. Frequency must be > Initial Frequency.";
inline constexpr const char* kMinFrequencyLimitMessage = "Min. Frequency must be >= 1MHZ.";
inline constexpr const char* kMinAboveInitialMessage =
    "Min. Frequency must be < Initial Frequency.";
inline constexpr const char* kInitialAboveMaxMessage =
    "Initial Frequency must be be < Max. Frequency.";
inline constexpr const char* kInitialBelowMinMessage =
    "Initial Frequency must be > Min. Frequency.";
inline constexpr const char* kDensityRangeMessage = "Density must be between 0.2 and 99.99.";
inline constexpr const char* kZFactorRangeMessage = "Z Factor must be between 0.1 and 9.99.";
inline constexpr const char* kToolingRangeMessage = "Tooling must be between 0 and 999.";
inline constexpr const char* kChannelNameMessage =
    "Channel name must be at most 100 characters, without ; or control characters.";
inline constexpr const char* kSerialNumberMessage =
    "Serial number must be at most 100 characters, without ; or control characters.";
inline constexpr const char* kTargetRangeMessage = "Target must be between 0 and 9999.999.";
inline constexpr const char* kMarginRangeMessage = "Target warning must be between 0 and 9999.999.";
inline constexpr const char* kLifeWarningRangeMessage = "Life warning must be between 0 and 99 %.";
inline constexpr const char* kQualityRangeMessage = "Quality must be an integer between 0 and 9.";
inline constexpr const char* kStabilityThresholdRangeMessage =
    "Stability threshold must be between 0 and 1000000 Hz.";
inline constexpr const char* kStabilityAlarmRangeMessage =
    "Stability alarm must be between 0 and 1000000 Hz.";

// Hints of the parameter grid's columns, followed by the lock suffix.
inline constexpr const char* kDensityHint = "Enter material density in gm/cc";
inline constexpr const char* kZFactorHint = "Enter material Z factor";
inline constexpr const char* kToolingHint = "Enter sensor tooling factor";
inline constexpr const char* kUnlockedHintEnd = ".";
inline constexpr const char* kLockedHintEnd = " (locked).";

}  // namespace zelvo
