// Reading a pie chart's picture: colours at angles of the pie and down the legend.
#pragma once
#include "tests/controls/ScreenPixels.h"

#include <windows.h>

#include <cmath>
#include <utility>
#include <vector>

namespace pie_pixels {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// The pixel at an angle (degrees clockwise from the top) and a fraction of the radius.
inline COLORREF PixelAtAngle(const CScreenPixels& shown, const RECT& pie, double degrees, double fraction)
{
    const double radius = (pie.bottom - pie.top) * 0.5 * fraction;
    const double theta = degrees * std::acos(-1.0) / 180.0;
    const int x = static_cast<int>(std::lround((pie.left + pie.right) * 0.5 + radius * std::sin(theta)));
    const int y = static_cast<int>(std::lround((pie.top + pie.bottom) * 0.5 - radius * std::cos(theta)));
    return shown.At(x, y);
}

// The legend's swatch colours from the top, as a column at the right edge shows them.
inline std::vector<COLORREF> LegendColours(const CScreenPixels& shown)
{
    std::vector<COLORREF> colours;
    for (int y = 0; y < shown.Height() / 2; ++y) {
        const COLORREF c = shown.At(shown.Width() - 4, y);
        const bool swatch = c == kRed || c == kBlue || c == kYellow || c == kGreen;
        if (swatch && (colours.empty() || colours.back() != c))
            colours.push_back(c);
    }
    return colours;
}

// A point in a form the test macros compare and print.
inline std::pair<LONG, LONG> XY(POINT p)
{
    return {p.x, p.y};
}

} // namespace pie_pixels
