// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three grids of the main window as data: headers by unit mode, column
// widths in percent, tool tips per column, and the cell font rules.

#include <array>
#include <cstdint>
#include <string>

namespace zelvo {

// Grid addressing: row -1 is the header row, column -1 the row-header column.
inline constexpr int kHeaderRow = -1;
inline constexpr int kRowHeaderColumn = -1;

inline constexpr int kReadingsColumns = 5;
inline constexpr int kParamsColumns = 3;
inline constexpr int kAssignmentColumns = 2;
inline constexpr int kAssignmentRows = 8;

// Widths in percent of the grid's width, row-header column first (0 when the
// grid sets none).
inline constexpr std::array<int, kReadingsColumns + 1> kReadingsWidths{18, 18, 18, 10, 22, 14};
inline constexpr std::array<int, kParamsColumns + 1> kParamsWidths{0, 33, 33, 34};
inline constexpr std::array<int, kAssignmentColumns + 1> kAssignmentWidths{20, 42, 38};

// Readings grid header of a data column for the unit mode (0 kA, 1 mass, 2 A).
std::string ReadingsHeader(int32_t units, int column);
// Parameter and assignment grid headers; column -1 of the assignment grid is "Row".
std::string ParamsHeader(int column);
std::string AssignmentHeader(int column);

// Tool tips of the column under the pointer. The readings grid gives "" for a
// column without an entry; the assignment grid keeps `previous` for a column
// without one. (The parameter grid's tips come with its input checks.)
std::string ReadingsToolTip(int column);
std::string AssignmentToolTip(int column, const std::string& previous);

// Cell font sizes from the grid font size: base is the whole part of size + 0.5,
// large (rate and thickness cells) the whole part of size + 2.5.
int BaseCellFont(double gridFontSize);
int LargeCellFont(double gridFontSize);
// The readings grid's cell font for (row, column) by the rules above: columns 0
// and 1 of data rows large, everything else base.
int ReadingsCellFont(double gridFontSize, int row, int column);

// Design font sizes of the grids, points.
inline constexpr double kReadingsFontPt = 9.6;
inline constexpr double kParamsFontPt = 9.6;
inline constexpr double kAssignmentFontPt = 7.8;
// Default row height of every grid, pixels at the design size.
inline constexpr int kDesignRowHeightPx = 23;

}  // namespace zelvo
