// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's layout arithmetic in design pixels (96 DPI, design size): the
// measures of the regions, the grid heights and panel placement of FormSize, the
// inner height it asks for, which is also the resizer's reference height, and
// the conversion between pixels and the twips (1/1440 inch) of stored positions.

#include <cstdint>

namespace zelvo {

struct DesignRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const DesignRect&) const = default;
};

inline constexpr int kTwipsPerInch = 1440;

// Design measures, pixels: the window's inner width, the grid band, the grid
// margin (repeated as the gap below the grids), the lower region and the chart
// settings strip at its right.
inline constexpr int kDesignInnerWidth = 591;
inline constexpr int kGridMargin = 8;
inline constexpr int kGridTop = 40;
inline constexpr int kReadingsLeft = 8;
inline constexpr int kReadingsWidth = 385;
inline constexpr int kParamsLeft = 400;
inline constexpr int kParamsWidth = 185;
inline constexpr int kGridFrame = 2;
inline constexpr int kLowerRegionHeight = 265;
inline constexpr int kGraphSetupWidth = 87;

// Twips per pixel on a screen of the given logical resolution.
double TwipsPerPixel(double dotsPerInch);

// A grid's height: every data row and the header row as high as row 0, plus the
// grid's frame.
int GridHeight(int rowHeight, int rows, int frame);

// The grid band for a number of channels: readings and parameter grids.
struct GridBand {
    DesignRect readings;
    DesignRect params;
};
GridBand PlaceGrids(int32_t showLast, int rowHeight);

// The lower region below the grids: fraSetup and fraGraph share left and top;
// their width spans both grids; the grid margin repeats as the gap.
struct LowerRegion {
    DesignRect setup;
    DesignRect graph;       // the chart frame, left of the settings strip
    DesignRect graphSetup;  // the chart settings strip
};
LowerRegion PlaceLowerRegion(const GridBand& band);

// The inner height FormSize gives the window: grid top, grid height, the lower
// region and the grid margin above and below it. With the design inner width it
// is the resizer's reference size, which so follows the number of channels.
int InnerHeight(const GridBand& band);

}  // namespace zelvo
