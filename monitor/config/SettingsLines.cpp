// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsLines.hpp"

#include <array>
#include <cmath>

#include "Format.hpp"
#include "IniText.hpp"
#include "Numbers.hpp"
#include "SettingsConvert.hpp"
#include "Strings.hpp"
#include "ValidationChecks.hpp"
#include "cIniFile.hpp"

namespace zelvo {
namespace {

constexpr size_t kSensorFields = 5;

double ScaleOf(Layout layout, double oldest, double hundredths, double thousandths) {
    switch (layout) {
        case Layout::Oldest:
            return oldest;
        case Layout::Hundredths:
            return hundredths;
        case Layout::Thousandths:
            return thousandths;
    }
    return thousandths;
}

// The fields of a sensor line as the next IniRead will see them.
std::vector<std::string> FieldsReadBack(const std::string& key, const std::string& line) {
    ini::IniText probe("[Zelvo]\r\n" + key + "=" + line + "\r\n");
    std::string value = probe.Value("Zelvo", key).value_or("");
    value = value.substr(0, std::min(value.find('\0'), cIniFile::kValueLimit));
    return Split(value, ';');
}

// A supervision field of a [Targets] line: its range and where it goes.
struct TargetsField {
    double max;
    bool whole;
    double* value;
    const double* had;  // kept when the field's text cannot be taken
};

}  // namespace

void ReadCrystalLimits(KeyReading& r) {
    MainState& s = r.State();
    const double scale = r.FileLayout() == Layout::Oldest ? 1e6 : 1.0;
    std::array<double, 3> hz{s.FreqMax, s.FreqMin, s.FreqInit};
    for (int16_t field = 1; field <= 3; ++field) {
        double value = 0;
        if (!r.Passed(NumberSetting(r.Key(), r.Text(field), value))) continue;
        value *= scale;
        // Limits are whole hertz, as the file keeps them: 4.015 MHz of the oldest
        // layout is 4015000 Hz, not the nearest double below it.
        if (std::isfinite(value) && std::fabs(value) < 2e9) value = RoundToInt32(value);
        if (r.Passed(RangeCheck(r.Key(), value, kFrequencyMinMHz * 1e6, kFrequencyMaxMHz * 1e6))) {
            hz[static_cast<size_t>(field - 1)] = value;
        }
    }
    const auto [max, min, init] = hz;
    if (!(min <= init && init <= max)) {
        r.Record(ZelvoError(err::Overflow,
                            "Overflow: " + r.Key() + " = " + ShortestNumberText(max) + ";" +
                                ShortestNumberText(min) + ";" + ShortestNumberText(init) +
                                " (minimum <= initial <= maximum required)"));
        return;
    }
    s.FreqMax = max;
    s.FreqMin = min;
    s.FreqInit = init;
}

void ReadSensorLine(KeyReading& r) {
    MainState& s = r.State();
    const size_t i = r.Channel();
    const Layout layout = r.FileLayout();
    const double densityScale = ScaleOf(layout, 1.0, 0.01, 0.001);
    const double zScale = ScaleOf(layout, 1.0, 0.001, 0.001);
    const double toolingScale = ScaleOf(layout, 1.0, 0.01, 0.01);
    s.ChannelName[i] = Trim(r.Text(1));
    double value = 0;
    if (r.Passed(NumberSetting(r.Key(), r.Text(2), value)))
        s.ChannelDensity[i] = value * densityScale;
    if (r.Passed(NumberSetting(r.Key(), r.Text(3), value))) s.ChannelZFactor[i] = value * zScale;
    if (r.Passed(NumberSetting(r.Key(), r.Text(4), value)))
        s.ChannelTooling[i] = value * toolingScale;
    s.ChannelSerial[i] = Trim(r.Text(5));
}

void ReadTargetsLine(KeyReading& r) {
    SupervisionSettings& settings = r.State().ChannelSupervision[r.Channel()];
    const std::optional<std::string> line = r.Stored(r.Key());
    SupervisionSettings read{.lifeWarning = 0};
    if (line) {
        const SupervisionSettings had = settings;
        double quality = read.quality;
        const double hadQuality = had.quality;
        const std::array<TargetsField, 6> fields{
            {{kTargetMax, false, &read.target, &had.target},
             {kTargetMax, false, &read.margin, &had.margin},
             {kLifeWarningMax, false, &read.lifeWarning, &had.lifeWarning},
             {kQualityLevelMax, true, &quality, &hadQuality},
             {kStabilityHzMax, false, &read.stabilityThreshold, &had.stabilityThreshold},
             {kStabilityHzMax, false, &read.stabilityAlarm, &had.stabilityAlarm}}};
        const std::vector<std::string> texts = Split(*line, ';');
        for (size_t i = 0; i < fields.size() && i < texts.size(); ++i) {
            if (Trim(texts[i]).empty()) continue;
            double value = 0;
            const bool number = r.Passed(NumberSetting(r.Key(), texts[i], value));
            if (number && fields[i].whole) value = std::nearbyint(value);
            const bool taken = number && r.Passed(RangeCheck(r.Key(), value, 0, fields[i].max));
            *fields[i].value = taken ? value : *fields[i].had;
        }
        read.quality = static_cast<int32_t>(quality);
    }
    settings = read;
}

std::optional<ZelvoError> WriteTargetsLine(const MainState& s, size_t ch, std::string& text) {
    const SupervisionSettings& t = s.ChannelSupervision[ch];
    text = ShortestNumberText(t.target) + ";" + ShortestNumberText(t.margin) + ";" +
           ShortestNumberText(t.lifeWarning) + ";" + std::to_string(t.quality) + ";" +
           ShortestNumberText(t.stabilityThreshold) + ";" + ShortestNumberText(t.stabilityAlarm);
    return std::nullopt;
}

std::optional<ZelvoError> WriteSensorLine(const MainState& s, size_t ch, std::string& text) {
    const std::string line =
        s.ChannelName[ch] + ";" + FormatNumber(s.ChannelDensity[ch] * 1000, "#00") + ";" +
        FormatNumber(s.ChannelZFactor[ch] * 1000, "#000") + ";" +
        FormatNumber(s.ChannelTooling[ch] * 100, "#00") + ";" + s.ChannelSerial[ch];
    const std::string key = "Sensor " + std::to_string(ch + 1);
    std::vector<std::string> fields = FieldsReadBack(key, line);
    if (fields.size() != kSensorFields || Trim(fields[0]) != Trim(s.ChannelName[ch]) ||
        Trim(fields[4]) != Trim(s.ChannelSerial[ch])) {
        return ZelvoError(err::InvalidCall,
                          "Channel " + std::to_string(ch + 1) + " (" + key +
                              ") not written: its name or serial number cannot be stored "
                              "(no \";\" or line breaks, at most " +
                              std::to_string(cIniFile::kValueLimit) + " characters in all)");
    }
    text = line;
    return std::nullopt;
}

}  // namespace zelvo
