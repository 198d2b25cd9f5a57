// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormLayout.hpp"

namespace zelvo {

double TwipsPerPixel(double dotsPerInch) {
    return dotsPerInch > 0 ? kTwipsPerInch / dotsPerInch : 15.0;
}

int GridHeight(int rowHeight, int rows, int frame) {
    return rowHeight * (rows + 1) + frame;
}

GridBand PlaceGrids(int32_t showLast, int rowHeight) {
    const int height = GridHeight(rowHeight, showLast + 1, kGridFrame);
    return {{kReadingsLeft, kGridTop, kReadingsWidth, height},
            {kParamsLeft, kGridTop, kParamsWidth, height}};
}

LowerRegion PlaceLowerRegion(const GridBand& band) {
    const DesignRect& readings = band.readings;
    const int left = readings.left;
    const int top = readings.top + readings.height + readings.left;
    const int width = band.params.left + band.params.width - readings.left;
    LowerRegion region;
    region.setup = {left, top, width, kLowerRegionHeight};
    region.graph = {left, top, width - kGraphSetupWidth, kLowerRegionHeight};
    region.graphSetup = {left + width - kGraphSetupWidth, top, kGraphSetupWidth,
                         kLowerRegionHeight};
    return region;
}

int InnerHeight(const GridBand& band) {
    const DesignRect& readings = band.readings;
    return readings.top + readings.height + kLowerRegionHeight + 2 * readings.left;
}

}  // namespace zelvo
