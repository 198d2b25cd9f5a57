// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Process supervision of one channel: the layer's target thickness with its early
// warning, the crystal's life, the crystal's quality (sustained rate deviation from
// the rolling average) and its stability (upward frequency jumps, mode hops). Each
// reading is judged in constant time and memory; each event is raised once until
// the channel is reset (a run's Start, a Zero).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelvo {

enum class SupervisionEvent : uint8_t { TargetNear, Target, Life, Quality, Stability };
inline constexpr size_t kSupervisionEventCount = 5;

// "target-near", "target", "life", "quality", "stability".
std::string_view EventName(SupervisionEvent event);
// An event's value or limit as every output writes it: thicknesses with three
// decimals, life, deviation and hertz with one.
std::string EventValueText(SupervisionEvent event, double value);

// Limits of the settings (the operator's entries and the setup file).
inline constexpr double kTargetMax = 9999.999;  // kA or ug/cm2
inline constexpr double kLifeWarningMax = 99;   // %
inline constexpr int32_t kQualityLevelMax = 9;
inline constexpr double kStabilityHzMax = 1000000;  // Hz, threshold and alarm level
inline constexpr double kDefaultLifeWarning = 10;
inline constexpr double kDefaultStabilityThreshold = 25;

// One channel's supervision settings; a 0 turns its check off.
struct SupervisionSettings {
    // Thickness of the layer in the unit mode's base: kA (thickness in kA or A) or
    // ug/cm2 (areal mass). target-near fires `margin` before it (0: no warning).
    double target = 0;
    double margin = 0;
    double lifeWarning = kDefaultLifeWarning;                // % of crystal life left
    int32_t quality = 0;                                     // 1 (loose) to 9 (strict)
    double stabilityThreshold = kDefaultStabilityThreshold;  // Hz: smaller jumps are noise
    double stabilityAlarm = 0;  // Hz: the sum of the run's upward jumps that raises the alarm

    bool operator==(const SupervisionSettings&) const = default;
};

// Allowed deviation of a reading's rate from the rolling average, in %, of a
// quality level 1 to 9 (0 for level 0 and levels out of range).
double QualityDeviation(int32_t level);
// The counter of deviating readings at which the quality alarm is raised.
inline constexpr int32_t kQualityAlarmCount = 100;

// What a reading gives to supervision; the thickness in the target's unit.
struct SupervisionReading {
    double thickness = 0;
    double rate = 0;
    double frequency = 0;  // Hz
    double life = 0;       // %
};

// An event with the value that raised it and the limit it reached: thickness and
// target (or target - margin), life and warning level, the deviation of the reading
// in % and the level's allowed deviation, the run's sum of jumps and the alarm level.
struct RaisedEvent {
    SupervisionEvent event = SupervisionEvent::Target;
    double value = 0;
    double limit = 0;
};

class Supervisor {
  public:
    // Judges one reading: the life at every run state but Paused (`judgeLife`), the
    // target, quality and stability while Running (`running`). Raised events are
    // added to those of the current sweep.
    void Judge(const SupervisionSettings& settings, const SupervisionReading& reading, bool running,
               bool judgeLife);
    // A new sweep: its events start empty.
    void BeginSweep() { raisedCount_ = 0; }
    // Every event may be raised again; the counters, sums and averages start afresh.
    void Reset() { *this = Supervisor(); }

    // The events raised by the current sweep's reading, in the order raised.
    const RaisedEvent* begin() const { return raised_.data(); }
    const RaisedEvent* end() const { return raised_.data() + raisedCount_; }
    bool Empty() const { return raisedCount_ == 0; }
    // Whether the event was raised since the last reset (the window's row colour).
    bool Fired(SupervisionEvent event) const { return (fired_ & Bit(event)) != 0; }
    // The quality counter and the run's sum of upward frequency jumps, Hz.
    int32_t QualityCount() const { return qualityCount_; }
    double JumpSum() const { return jumpSum_; }

  private:
    static uint8_t Bit(SupervisionEvent event) {
        return static_cast<uint8_t>(1u << static_cast<unsigned>(event));
    }
    void Raise(SupervisionEvent event, double value, double limit);
    void JudgeTarget(const SupervisionSettings& settings, double thickness);
    void JudgeQuality(int32_t level, double rate);
    void JudgeStability(const SupervisionSettings& settings, double frequency);

    std::array<RaisedEvent, kSupervisionEventCount> raised_{};
    uint8_t raisedCount_ = 0;
    uint8_t fired_ = 0;
    bool haveAverage_ = false;
    double rateAverage_ = 0;
    int32_t qualityCount_ = 0;
    double lastFrequency_ = 0;  // 0 before the run's first reading
    double jumpSum_ = 0;
};

}  // namespace zelvo
