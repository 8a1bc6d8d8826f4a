#include "controls/ColorRamp.h"

#include <algorithm>
#include <cstdlib>

namespace {
int Channel(COLORREF c, int index)
{
    return static_cast<int>((c >> (8 * index)) & 0xFF);
}
} // namespace

CColorRamp::CColorRamp(COLORREF from, COLORREF to) : m_from(from), m_steps(0)
{
    int difference[3];
    for (int channel = 0; channel < 3; ++channel) {
        difference[channel] = Channel(to, channel) - Channel(from, channel);
        m_steps = std::max(m_steps, std::abs(difference[channel]));
    }
    if (m_steps == 0)
        return;
    for (int channel = 0; channel < 3; ++channel)
        m_increment[channel] = static_cast<float>(difference[channel]) / static_cast<float>(m_steps);
}

COLORREF CColorRamp::ColorAt(int i) const
{
    BYTE value[3];
    for (int channel = 0; channel < 3; ++channel) {
        float exact = static_cast<float>(Channel(m_from, channel)) + static_cast<float>(i) * m_increment[channel];
        value[channel] = static_cast<BYTE>(std::clamp(static_cast<int>(exact), 0, 255));
    }
    return RGB(value[0], value[1], value[2]);
}
