#include "controls/GradientProgressCtrl.h"

#include "controls/BandPainting.h"
#include "controls/OffscreenDC.h"
#include "framework/Handle.h"

CGradientProgressCtrl::CGradientProgressCtrl() : m_backColor(::GetSysColor(COLOR_BTNFACE)) {}

void CGradientProgressCtrl::SetRange(int lower, int upper)
{
    m_gauge.SetRange(lower, upper);
    if (m_hWnd)
        SetRange32(lower, upper);
    Changed();
}

void CGradientProgressCtrl::SetStep(int step)
{
    m_gauge.SetStep(step);
    if (m_hWnd)
        SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step));
}

void CGradientProgressCtrl::StepIt()
{
    m_gauge.StepIt();
    if (m_hWnd)
        SendMessage(PBM_STEPIT);
    Changed();
}

void CGradientProgressCtrl::Changed() const
{
    // The progress bar underneath keeps a position of its own (for
    // accessibility) that wraps at its end; what is shown is ours.
    if (m_hWnd)
        Invalidate(false);
}

LRESULT CGradientProgressCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (const auto painted = PaintWhole(m_hWnd, msg, wp, [this](HDC dc, bool) { Draw(dc); }))
        return *painted;
    switch (msg) {
    case WM_DPICHANGED_AFTERPARENT:
        // The strips are laid out on the width the bar has at the new DPI,
        // the percentage in the font it has there.
        Invalidate(false);
        return Default(msg, wp, lp);
    default:
        return Default(msg, wp, lp);
    }
}

void CGradientProgressCtrl::Draw(HDC target) const
{
    const RECT client = GetClientRect();
    COffscreenDC offscreen(target);
    HDC dc = offscreen.Get();
    FillSolid(dc, client, m_backColor);
    FillBands(dc, m_gauge.FilledBands(client.right, m_startColor, m_endColor), 0, client.bottom);
    if (!m_showPercentage || !m_gauge.IsUnderway())
        return;
    std::wstring text = m_gauge.PercentText();
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    fx::CSelectObject selectFont(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetTextColor(dc, m_textColor);
    ::SetBkMode(dc, TRANSPARENT);
    RECT area = client;
    ::DrawTextW(dc, text.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
