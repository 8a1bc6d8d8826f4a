// Reading a pie chart's picture: colours at angles of the pie, the first
// pixel of a kind along a line, whole pictures compared.
#pragma once
#include "tests/controls/ScreenPixels.h"

#include <windows.h>

#include <cmath>
#include <functional>
#include <utility>

namespace pie_pixels {

// The pixel at an angle (degrees clockwise from the top) and a fraction of
// the radius of the pie that the square bounds.
inline COLORREF PixelAtAngle(const CScreenPixels& shown, const RECT& pie, double degrees, double fraction)
{
    const double radius = (pie.bottom - pie.top) * 0.5 * fraction;
    const double theta = degrees * std::acos(-1.0) / 180.0;
    const int x = static_cast<int>(std::lround((pie.left + pie.right) * 0.5 + radius * std::sin(theta)));
    const int y = static_cast<int>(std::lround((pie.top + pie.bottom) * 0.5 - radius * std::cos(theta)));
    return shown.At(x, y);
}

// The first x of a row (y of a column) whose pixel matches; -1 when none.
inline int FirstInRow(const CScreenPixels& shown, int y, const std::function<bool(COLORREF)>& match)
{
    for (int x = 0; x < shown.Width(); ++x)
        if (match(shown.At(x, y)))
            return x;
    return -1;
}
inline int FirstInColumn(const CScreenPixels& shown, int x, const std::function<bool(COLORREF)>& match)
{
    for (int y = 0; y < shown.Height(); ++y)
        if (match(shown.At(x, y)))
            return y;
    return -1;
}

inline bool SamePixels(const CScreenPixels& a, const CScreenPixels& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y))
                return false;
    return true;
}

// A point in a form the test macros compare and print.
inline std::pair<LONG, LONG> XY(POINT p)
{
    return {p.x, p.y};
}

} // namespace pie_pixels
