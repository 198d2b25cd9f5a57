#include "FormLayout.hpp"

#include <cmath>

namespace zelvo {

double TwipsPerPixel(double dotsPerInch) {
    return dotsPerInch > 0 ? kTwipsPerInch / dotsPerInch : 15.0;
}

int GridHeightTwips(int rowHeightPx, int headerHeightPx, int rows, double twipsPerPixel) {
    return static_cast<int>(std::lround((rowHeightPx * rows + headerHeightPx) * twipsPerPixel));
}

ReferenceSize ResizerReference(int32_t showLast) {
    return {7600, 5600 + 170 * showLast};
}

LowerRegion PlaceLowerRegion(const TwipRect& readings, const TwipRect& params) {
    LowerRegion region;
    const int left = readings.left;
    const int top = readings.top + readings.height + readings.left;
    const int width = params.left + params.width - readings.left;
    region.setup = {left, top, width, kLowerRegionHeight};
    region.graph = {left, top, width - kGraphSetupWidth, kLowerRegionHeight};
    region.graphSetup = {left + width - kGraphSetupWidth, top, kGraphSetupWidth,
                         kLowerRegionHeight};
    return region;
}

int InnerHeight(const TwipRect& readings, int lowerHeight) {
    return readings.top + readings.height + lowerHeight + 2 * readings.left;
}

}  // namespace zelvo
