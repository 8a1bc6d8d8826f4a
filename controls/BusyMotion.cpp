#include "controls/BusyMotion.h"

#include <algorithm>

std::vector<SColorBand> SBusyBand::Bands(int width, COLORREF trail, COLORREF lead) const
{
    const int left = LeftEdge(width);
    const int right = RightEdge(width);
    const COLORREF leftColor = movingLeft ? lead : trail;
    const COLORREF rightColor = movingLeft ? trail : lead;
    std::vector<SColorBand> bands;
    if (right <= left)
        return bands;
    const CColorRamp ramp(leftColor, rightColor);
    if (ramp.Steps() == 0) {
        bands.push_back({left, right, leftColor});
        return bands;
    }
    const float stepWidth = static_cast<float>(right - left) / static_cast<float>(ramp.Steps());
    for (int i = 0; i < ramp.Steps(); ++i) {
        const int from = static_cast<int>(static_cast<float>(i) * stepWidth + static_cast<float>(left));
        const int to = left + static_cast<int>(static_cast<float>(i + 1) * stepWidth);
        if (from < left || to > right)
            break;
        bands.push_back({from, to, ramp.ColorAt(i)});
    }
    return bands;
}

void CBusyMotion::SetBandLength(int length)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_bandLength = length;
}

SBusyBand CBusyMotion::Band() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_band;
}

bool CBusyMotion::IsTurning() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_turning;
}

int CBusyMotion::Advance(int position) const
{
    return m_band.movingLeft ? std::max(position - StepSize, 0) : std::min(position + StepSize, SBusyBand::Range);
}

void CBusyMotion::Step()
{
    std::lock_guard<std::mutex> lock(m_lock);
    const int end = m_band.movingLeft ? 0 : SBusyBand::Range;
    if (m_band.head != end) {
        m_band.head = Advance(m_band.head);
        MoveTail();
        return;
    }
    if (!m_turning) {
        // The first step that finds the head at the end only marks the turn,
        // so the head rests there for a step.
        m_turning = true;
        return;
    }
    if (m_band.tail != end) {
        MoveTail();
        return;
    }
    // The tail has caught up: set off the other way from this end.
    m_turning = false;
    m_band.movingLeft = !m_band.movingLeft;
    m_band.head = Advance(end);
}

void CBusyMotion::MoveTail()
{
    // The tail waits at the end it started from until the head is a band
    // length away, except while the head waits at the far end.
    const int run = m_band.movingLeft ? SBusyBand::Range - m_band.head : m_band.head;
    if (!m_turning && run < m_bandLength)
        return;
    m_band.tail = Advance(m_band.tail);
}
