#include "controls/BusyBar.h"

#include "controls/BandPainting.h"
#include "controls/OffscreenDC.h"
#include "framework/Handle.h"

namespace {
const UINT_PTR kTickTimer = 1;
// Often enough that a stepping worker looks like smooth motion.
const UINT kTickMilliseconds = 30;
} // namespace

void CBusyBar::SetBackColor(COLORREF color)
{
    m_backColor = color;
    if (m_hWnd)
        Invalidate(false);
}

void CBusyBar::SetColors(COLORREF trail, COLORREF lead)
{
    m_trailColor = trail;
    m_leadColor = lead;
    if (m_hWnd)
        Invalidate(false);
}

void CBusyBar::PreSubclassWindow()
{
    // The window is the one about to be ours; its timers end with it or
    // when it is parted from this object.
    SetTimer(kTickTimer, kTickMilliseconds, [this] { OnTick(); });
}

void CBusyBar::OnTick()
{
    if (m_motion.Band() != m_painted)
        Invalidate(false);
}

LRESULT CBusyBar::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    const auto painted = PaintWhole(m_hWnd, msg, wp, [this](HDC dc, bool onScreen) {
        // One look at the band: a step made while painting shows next tick.
        const SBusyBand band = m_motion.Band();
        Draw(dc, band);
        if (onScreen)
            m_painted = band;
    });
    if (painted)
        return *painted;
    switch (msg) {
    case WM_DPICHANGED_AFTERPARENT:
        Invalidate(false); // the band is laid out on the width the bar has at the new DPI
        return Default(msg, wp, lp);
    default:
        return Default(msg, wp, lp);
    }
}

void CBusyBar::Draw(HDC target, const SBusyBand& band) const
{
    const RECT client = GetClientRect();
    COffscreenDC offscreen(target);
    HDC dc = offscreen.Get();
    FillSolid(dc, client, m_backColor);
    FillBands(dc, band.Bands(client.right, m_trailColor, m_leadColor), 0, client.bottom);
}
