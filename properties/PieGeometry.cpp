#include "properties/PieGeometry.h"

#include <algorithm>
#include <cmath>

namespace fennix {

namespace {
// The value the chart has always placed its points with; a more precise one
// moves some of them by a pixel.
const double kPi = 3.1415926535;
} // namespace

void CPieGeometry::RecalcLayout(const RECT& client)
{
    const int side = std::min(client.bottom - client.top, client.right - client.left);
    m_pie.left = client.left + ((client.right - client.left) - side) / 2;
    m_pie.right = m_pie.left + side;
    m_pie.bottom = client.bottom;
    m_pie.top = client.bottom - side;
}

POINT CPieGeometry::Centre() const
{
    return POINT{(m_pie.left + m_pie.right) / 2, (m_pie.top + m_pie.bottom) / 2};
}

POINT CPieGeometry::AngleToPoint(int angle, bool inner) const
{
    // Reduced first, so that sine and cosine work on small angles only.
    const int normalized = (angle % 360 + 360) % 360;
    double radius = (m_pie.bottom - m_pie.top) * 0.5;
    if (inner)
        radius *= 0.6;
    const double theta = normalized * kPi * (1.0 / 180.0);
    const double x = (m_pie.left + m_pie.right) * 0.5 + radius * std::sin(theta);
    const double y = (m_pie.top + m_pie.bottom) * 0.5 - radius * std::cos(theta);
    return POINT{static_cast<LONG>(x), static_cast<LONG>(y)};
}

} // namespace fennix
