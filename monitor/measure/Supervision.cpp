// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Supervision.hpp"

#include <algorithm>
#include <cmath>

#include "Format.hpp"

namespace zelvo {
namespace {

// Allowed deviation from the rolling average by quality level, in %: level 9 is the
// strictest. Index 0 is level 0 (off).
constexpr std::array<double, kQualityLevelMax + 1> kQualityDeviation{0,    30, 25,  20, 15,
                                                                     12.5, 10, 7.5, 5,  2.5};
// The rolling average follows the rate with this weight per reading (about the last
// 16 readings), so that a lasting change of rate is soon its new average.
constexpr double kAverageWeight = 1.0 / 16;
// A deviating reading counts this much up, a good one one down: the counter climbs
// only while more than a third of the readings deviate, so scattered noisy readings
// never reach the alarm, while erratic rates do within about a hundred readings.
constexpr int32_t kQualityRise = 2;
constexpr int32_t kQualityFall = 1;
// Below this rolling average (display units per second) nothing is being deposited
// and a rate's deviation in % says nothing.
constexpr double kQualityMinimumRate = 0.1;

}  // namespace

std::string_view EventName(SupervisionEvent event) {
    switch (event) {
        case SupervisionEvent::TargetNear:
            return "target-near";
        case SupervisionEvent::Target:
            return "target";
        case SupervisionEvent::Life:
            return "life";
        case SupervisionEvent::Quality:
            return "quality";
        case SupervisionEvent::Stability:
            return "stability";
    }
    return "";
}

std::string EventValueText(SupervisionEvent event, double value) {
    const bool thickness =
        event == SupervisionEvent::Target || event == SupervisionEvent::TargetNear;
    return FormatNumber(value, thickness ? "0.000" : "0.0");
}

double QualityDeviation(int32_t level) {
    if (level < 0 || level > kQualityLevelMax) return 0;
    return kQualityDeviation[static_cast<size_t>(level)];
}

void Supervisor::Raise(SupervisionEvent event, double value, double limit) {
    if (Fired(event)) return;
    fired_ |= Bit(event);
    raised_[raisedCount_++] = {event, value, limit};
}

void Supervisor::Judge(const SupervisionSettings& settings, const SupervisionReading& reading,
                       bool running, bool judgeLife) {
    if (judgeLife && settings.lifeWarning > 0 && reading.life <= settings.lifeWarning)
        Raise(SupervisionEvent::Life, reading.life, settings.lifeWarning);
    if (!running) return;
    if (settings.target > 0) JudgeTarget(settings, reading.thickness);
    if (settings.quality > 0) JudgeQuality(settings.quality, reading.rate);
    JudgeStability(settings, reading.frequency);
}

void Supervisor::JudgeTarget(const SupervisionSettings& settings, double thickness) {
    if (thickness >= settings.target) {
        Raise(SupervisionEvent::Target, thickness, settings.target);
        // Past the target, the early warning has nothing left to announce.
        fired_ |= Bit(SupervisionEvent::TargetNear);
    } else if (settings.margin > 0 && thickness >= settings.target - settings.margin) {
        Raise(SupervisionEvent::TargetNear, thickness, settings.target - settings.margin);
    }
}

void Supervisor::JudgeQuality(int32_t level, double rate) {
    if (!haveAverage_) {
        // The average starts at the first deposition rate, not at the run's opening zeros.
        if (std::fabs(rate) < kQualityMinimumRate) return;
        haveAverage_ = true;
        rateAverage_ = rate;
    }
    rateAverage_ += (rate - rateAverage_) * kAverageWeight;
    if (std::fabs(rateAverage_) < kQualityMinimumRate) return;
    const double deviation = std::fabs(rate - rateAverage_) * 100 / std::fabs(rateAverage_);
    const double allowed = QualityDeviation(level);
    if (deviation > allowed) {
        qualityCount_ = std::min(qualityCount_ + kQualityRise, kQualityAlarmCount);
        if (qualityCount_ >= kQualityAlarmCount)
            Raise(SupervisionEvent::Quality, deviation, allowed);
    } else {
        qualityCount_ = qualityCount_ > kQualityFall ? qualityCount_ - kQualityFall : 0;
    }
}

void Supervisor::JudgeStability(const SupervisionSettings& settings, double frequency) {
    const double jump = lastFrequency_ > 0 ? frequency - lastFrequency_ : 0;
    lastFrequency_ = frequency;
    if (jump > settings.stabilityThreshold) jumpSum_ += jump;
    if (settings.stabilityAlarm > 0 && jumpSum_ >= settings.stabilityAlarm)
        Raise(SupervisionEvent::Stability, jumpSum_, settings.stabilityAlarm);
}

}  // namespace zelvo
