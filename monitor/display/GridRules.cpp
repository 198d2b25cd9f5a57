// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridRules.hpp"

#include <cmath>

namespace zelvo {
namespace {

constexpr const char* kReadingsTips[] = {
    "Material or sensor name.",  "Deposition rate in A/s",
    "Deposited thickness in kA", "Click to zero thickness. Shift-Click zeroes all.",
    "Sensor frequency in Hz.",   "Percent of sensor life remaining."};
constexpr const char* kAssignmentTips[] = {
    "Measurement channel (row) on main screen grid.", "Channel name on main screen.",
    "Zelvo serial number assigned to channel.  Strike through indicates not connected."};

}  // namespace

std::string ReadingsHeader(int32_t units, int column) {
    const bool mass = units == 1;
    switch (column) {
        case 0:
            return mass ? "ng/cm2/s" : "Rate (A/s)";
        case 1:
            if (mass) return "ug/cm2";
            return units == 2 ? "Thick (A)" : "Thick (kA)";
        case 2:
            return "Zero";
        case 3:
            return "Freq. (Hz)";
        case 4:
            return "Life (%)";
        default:
            return "";
    }
}

std::string ParamsHeader(int column) {
    constexpr const char* headers[] = {"Density", "Z Factor", "Tooling"};
    return column >= 0 && column < kParamsColumns ? headers[column] : "";
}

std::string AssignmentHeader(int column) {
    constexpr const char* headers[] = {"Row", "Name", "Zelvo #"};
    return column >= -1 && column < kAssignmentColumns ? headers[column + 1] : "";
}

std::string ReadingsToolTip(int column) {
    return column >= -1 && column < kReadingsColumns ? kReadingsTips[column + 1] : "";
}

std::string AssignmentToolTip(int column, const std::string& previous) {
    return column >= -1 && column < kAssignmentColumns ? kAssignmentTips[column + 1] : previous;
}

int BaseCellFont(double gridFontSize) {
    return static_cast<int>(std::floor(gridFontSize + 0.5));
}

int LargeCellFont(double gridFontSize) {
    return static_cast<int>(std::floor(gridFontSize + 2.5));
}

int ReadingsCellFont(double gridFontSize, int row, int column) {
    const bool large = row >= 0 && (column == 0 || column == 1);
    return large ? LargeCellFont(gridFontSize) : BaseCellFont(gridFontSize);
}

}  // namespace zelvo
