#include "controls/ProgressGauge.h"

#include "framework/Format.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

void CProgressGauge::SetRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
    m_position = lower;
}

void CProgressGauge::StepIt()
{
    const int64_t next = static_cast<int64_t>(m_position) + m_step;
    m_position = static_cast<int>(std::clamp<int64_t>(next, std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max()));
}

double CProgressGauge::Share() const
{
    // Measured from the lower end, so a range that does not start at 0 still
    // shows the part of it that is done. Only called while underway, where
    // upper > lower.
    return (static_cast<double>(m_position) - m_lower) / (static_cast<double>(m_upper) - m_lower);
}

int CProgressGauge::FilledWidth(int width) const
{
    return IsUnderway() ? static_cast<int>(Share() * width) : 0;
}

std::wstring CProgressGauge::PercentText() const
{
    if (!IsUnderway())
        return std::wstring();
    // Rounded here rather than by printf, whose halves go to the even
    // neighbour with some runtimes and away from zero with others.
    return fx::Format(L"%.0f%%", std::round(Share() * 100.0));
}

std::vector<SColorBand> CProgressGauge::FilledBands(int width, COLORREF start, COLORREF end) const
{
    std::vector<SColorBand> bands;
    if (!IsUnderway() || width <= 0)
        return bands;
    const int filled = FilledWidth(width);
    const CColorRamp ramp(start, end);
    if (ramp.Steps() == 0) {
        // No steps to lay out: the reached part in the one colour, at least a
        // pixel of it as soon as anything is reached.
        bands.push_back({0, std::max(filled, 1), start});
        return bands;
    }
    const float stepWidth = static_cast<float>(width) / static_cast<float>(ramp.Steps());
    for (int i = 0; i < ramp.Steps(); ++i) {
        const int left = static_cast<int>(static_cast<float>(i) * stepWidth);
        const int right = static_cast<int>(static_cast<float>(i + 1) * stepWidth);
        bands.push_back({left, right, ramp.ColorAt(i)});
        if (right > filled)
            break;
    }
    return bands;
}
