// Where the pie sits in its window and where its angles meet the rim. Angles
// are whole degrees clockwise from 12 o'clock, of any size or sign: a pie
// turned by dragging far either way keeps its points.
#pragma once
#include <windows.h>

namespace fennix {

class CPieGeometry {
public:
    // The largest square that fits the client area, centred across it and
    // resting on its bottom edge (the legend takes the top-right corner).
    void RecalcLayout(const RECT& client);
    const RECT& PieRect() const { return m_pie; }
    // Where the slices' border lines meet.
    POINT Centre() const;
    // The point of the angle on the rim, or at 0.6 of the radius when inner
    // (where a slice's percentage is centred).
    POINT AngleToPoint(int angle, bool inner) const;

private:
    RECT m_pie{};
};

} // namespace fennix
