// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartStateFile.hpp"

#include "Numbers.hpp"
#include "Strings.hpp"
#include "TextFile.hpp"

namespace zelvo {
namespace {

ZelvoError Malformed(size_t lineNumber, const std::string& why) {
    return ZelvoError(err::TypeMismatch, "line " + std::to_string(lineNumber) + ": " + why);
}

// A whole number from lo to hi, or nothing.
std::optional<int> WholeIn(const std::string& text, int lo, int hi) {
    const std::optional<double> value = ParseNumber(text);
    if (!value || *value != static_cast<int>(*value) || *value < lo || *value > hi) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

std::optional<Rgb> Colour(const std::string& text) {
    const std::vector<std::string> parts = Split(text, ',');
    if (parts.size() != 3) return std::nullopt;
    std::array<uint8_t, 3> channel{};
    for (size_t i = 0; i < 3; ++i) {
        const std::optional<int> v = WholeIn(parts[i], 0, 255);
        if (!v) return std::nullopt;
        channel[i] = static_cast<uint8_t>(*v);
    }
    return Rgb{channel[0], channel[1], channel[2]};
}

// Applies one "Series<n>.Line" or "Series<n>.Symbol" key; false when the key is none of these.
bool SeriesKey(const std::string& key, const std::string& value, size_t lineNumber,
               ChartStyle& style) {
    const std::string k = ToLower(key);
    if (k.size() < 8 || k.compare(0, 6, "series") != 0 || k[7] != '.') return false;
    const int series = k[6] - '0';
    const std::string part = k.substr(8);
    if (series < 1 || series > kSeriesCount || (part != "line" && part != "symbol")) return false;
    const std::optional<Rgb> colour = Colour(value);
    if (!colour) throw Malformed(lineNumber, "\"" + value + "\" is no red,green,blue colour");
    (part == "line" ? style.line : style.symbol)[static_cast<size_t>(series - 1)] = *colour;
    return true;
}

void ApplyLine(const std::string& raw, size_t lineNumber, ChartStyle& style) {
    const std::string line =
        Trim(!raw.empty() && raw.back() == '\r' ? raw.substr(0, raw.size() - 1) : raw);
    if (line.empty() || line[0] == ';') return;
    const size_t eq = line.find('=');
    if (eq == std::string::npos) throw Malformed(lineNumber, "no \"=\"");
    const std::string key = Trim(line.substr(0, eq));
    const std::string value = Trim(line.substr(eq + 1));
    if (EqualsNoCase(key, "Slots")) {
        const std::optional<int> count = WholeIn(value, 1, kMaxSlots);
        if (!count) throw Malformed(lineNumber, "Slots must be a whole number from 1 to 100000");
        style.pointSlots = *count;
    } else if (EqualsNoCase(key, "Font")) {
        if (value.empty()) throw Malformed(lineNumber, "Font needs a family name");
        style.font = value;
    } else if (EqualsNoCase(key, "Header")) {
        style.header = value;
    } else if (!SeriesKey(key, value, lineNumber, style)) {
        throw Malformed(lineNumber, "unknown key \"" + key + "\"");
    }
}

}  // namespace

ChartStyle DesignChartStyle() {
    ChartStyle style;
    style.line = {Rgb{0, 255, 0},   Rgb{255, 255, 0}, Rgb{0, 0, 255},    Rgb{255, 0, 0},
                  Rgb{34, 139, 34}, Rgb{255, 165, 0}, Rgb{160, 32, 240}, Rgb{165, 42, 42}};
    style.symbol = {Rgb{0, 255, 0},   Rgb{255, 255, 0}, Rgb{0, 0, 255},   Rgb{255, 0, 0},
                    Rgb{34, 139, 34}, Rgb{0, 255, 255}, Rgb{255, 0, 255}, Rgb{135, 206, 250}};
    return style;
}

std::optional<ZelvoError> ParseChartState(const std::string& text, ChartStyle& style) {
    ChartStyle parsed = style;
    try {
        size_t lineNumber = 0;
        for (const std::string& line : Split(text, '\n')) {
            ++lineNumber;
            ApplyLine(line, lineNumber, parsed);
        }
    } catch (const ZelvoError& e) {
        return e;
    }
    style = parsed;
    return std::nullopt;
}

std::optional<ZelvoError> ReadChartState(const std::string& path, ChartStyle& style) {
    style = DesignChartStyle();
    if (!FileExists(path)) return std::nullopt;
    std::string text;
    try {
        text = ReadFileBytes(path);
    } catch (const ZelvoError& e) {
        return e;
    }
    if (std::optional<ZelvoError> failure = ParseChartState(text, style)) {
        return ZelvoError(failure->Number(), path + ", " + failure->Description());
    }
    return std::nullopt;
}

}  // namespace zelvo
