// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Chart state files ("zelvo.oc2", "zelvo_Thick.oc2", "zelvo_Freq.oc2"): the
// appearance and data layout a chart restores at start-up. A small text format
// of our own, one "Key=Value" a line (CR LF or LF), blank lines and lines
// starting with ";" ignored, keys without regard to case:
//
//   Slots=500                  point slots per series, 1 to 100000
//   Font=Arial                 font family of the chart texts
//   Header=                    header text above the plot (empty: none)
//   Series1.Line=0,255,0       line colour of series 1 to 8, red,green,blue
//   Series1.Symbol=0,255,0     symbol colour of series 1 to 8
//
// Keys left out keep their design values. The program reads these files and
// never writes them.

#include <array>
#include <optional>
#include <string>

#include "ChartData.hpp"
#include "MainView.hpp"
#include "ZelvoError.hpp"

namespace zelvo {

inline constexpr int kMaxSlots = 100000;

struct ChartStyle {
    int pointSlots = kDesignSlots;
    std::string font = "Arial";
    std::string header;
    std::array<Rgb, kSeriesCount> line{};
    std::array<Rgb, kSeriesCount> symbol{};
    bool operator==(const ChartStyle&) const = default;
};

// The design state: 500 slots, Arial, no header, the design series colours.
ChartStyle DesignChartStyle();

// Reads the settings of a state file's text over style; on a malformed line
// returns the failure (naming the line) and leaves style unchanged.
std::optional<ZelvoError> ParseChartState(const std::string& text, ChartStyle& style);

// The style of the file at path: the design state when the file is missing,
// otherwise the file's settings over the design state. On a failure (an
// unreadable or malformed file) style is the design state and the failure,
// naming the file, is returned.
std::optional<ZelvoError> ReadChartState(const std::string& path, ChartStyle& style);

}  // namespace zelvo
