#pragma once
// The window's layout arithmetic in twips (1/1440 inch): design measures of the
// regions, the grid heights and panel placement of FormSize, and the window
// height it asks for.

#include <cstdint>

namespace zelvo {

struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipRect&) const = default;
};

inline constexpr int kTwipsPerInch = 1440;

// Design size of the window's inner area and of its regions.
inline constexpr int kDesignWidth = 8868;
inline constexpr int kDesignHeight = 6552;
inline constexpr TwipRect kDesignReadings{120, 600, 5772, 1725};
inline constexpr TwipRect kDesignParams{6000, 600, 2772, 1725};
inline constexpr int kLowerRegionHeight = 3972;
// Width of the chart settings strip at the right of the chart frame.
inline constexpr int kGraphSetupWidth = 1300;

// Twips per pixel on a screen of the given logical resolution.
double TwipsPerPixel(double dotsPerInch);

// A grid's height: (row-0 height x rows + header height) x twips per pixel.
int GridHeightTwips(int rowHeightPx, int headerHeightPx, int rows, double twipsPerPixel);

// The resizer's reference size for the number of channels shown.
struct ReferenceSize {
    int width = 0;
    int height = 0;
};
ReferenceSize ResizerReference(int32_t showLast);

// Placement of the lower region below the grids (FormSize): fraSetup and fraGraph
// share left and top; the width spans both grids; the gap repeats the grid margin.
struct LowerRegion {
    TwipRect setup;
    TwipRect graph;       // the chart frame, left of the settings strip
    TwipRect graphSetup;  // the chart settings strip
};
LowerRegion PlaceLowerRegion(const TwipRect& readings, const TwipRect& params);

// The inner height FormSize gives the window: grid top, grid height, the lower
// region's height and the grid margin above and below it.
int InnerHeight(const TwipRect& readings, int lowerHeight);

}  // namespace zelvo
