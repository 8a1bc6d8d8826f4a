#include "properties/PieChartCtrl.h"

#include "controls/BandPainting.h"
#include "controls/FocusCue.h"
#include "controls/OffscreenDC.h"
#include "framework/Controls.h"
#include "framework/Dpi.h"

#include <windowsx.h>

#include <cmath>
#include <new>

namespace fennix {

namespace {
const wchar_t kClassName[] = L"PIE_CHART_CTRL";
const COLORREF kDiscColor = RGB(0, 0, 255);  // shows wherever the slices leave the turn open
const COLORREF kOutlineColor = RGB(0, 0, 0); // border lines and the outer circle
const int kLabelFontHeight = 13;             // pixels at 96 DPI
const int kLegendGap = 3;                    // pixels at 96 DPI between a legend text and its swatch
const int kKeyTurnDegrees = 5;               // one press of an arrow key
} // namespace

CPieSlice::CPieSlice(COLORREF fillColor, COLORREF textColor, int degrees, std::wstring label)
    : m_fillColor(fillColor), m_textColor(textColor), m_degrees(degrees), m_label(std::move(label)),
      m_brush(::CreateSolidBrush(fillColor))
{
}

std::wstring SlicePercentText(int degrees)
{
    if (degrees <= 25)
        return std::wstring();
    return std::to_wstring(std::lround(degrees * 100.0 / 360.0)) + L'%';
}

fx::CFontHandle CreatePieLabelFont(UINT dpi)
{
    return fx::CFontHandle(::CreateFontW(fx::ScaleToDpi(kLabelFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                         FALSE, DEFAULT_CHARSET, OUT_STRING_PRECIS, CLIP_CHARACTER_PRECIS,
                                         DEFAULT_QUALITY, 0, L"Arial"));
}

CPieChartCtrl::CPieChartCtrl()
{
    // Before any dialog that names the class is made: the page holding the
    // chart is constructed long before its dialog.
    fx::RegisterCustomControlClass(kClassName);
}

bool CPieChartCtrl::AddSlice(COLORREF fillColor, COLORREF textColor, int degrees, const std::wstring& label)
{
    try {
        CPieSlice slice(fillColor, textColor, degrees, label);
        if (!slice.m_brush)
            return false;
        m_slices.push_back(std::move(slice));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void CPieChartCtrl::PreSubclassWindow()
{
    // The window may have been sized before it became ours; a drag cannot
    // go on from a window that is gone.
    m_bDragging = false;
    RecalcLayout();
}

void CPieChartCtrl::RecalcLayout()
{
    m_geometry.RecalcLayout(GetClientRect());
}

void CPieChartCtrl::BeginDrag(int x)
{
    ::SetCapture(m_hWnd);
    m_lastX = x;
    m_bDragging = true;
}

void CPieChartCtrl::DragTo(int x)
{
    if (!m_bDragging)
        return;
    // One degree per pixel; to the right turns clockwise.
    Turn(x - m_lastX);
    m_lastX = x;
}

void CPieChartCtrl::Turn(int degrees)
{
    m_startAngle += degrees;
    // Only the pie changes, and every pixel of it is painted anew: no erase.
    ::InvalidateRect(m_hWnd, &m_geometry.PieRect(), FALSE);
}

void CPieChartCtrl::EndDrag()
{
    if (!m_bDragging)
        return;
    m_bDragging = false;
    ::ReleaseCapture();
}

HFONT CPieChartCtrl::LabelFont()
{
    // Made for the DPI of the monitor the chart is on now, so a move to
    // another monitor shows the texts at the size the rest of the page has.
    const UINT dpi = fx::WindowDpi(m_hWnd);
    if (!m_labelFont || dpi != m_labelFontDpi) {
        m_labelFont = CreatePieLabelFont(dpi);
        m_labelFontDpi = dpi;
    }
    return m_labelFont.Get();
}

LRESULT CPieChartCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (const auto painted = PaintWhole(m_hWnd, msg, wp, [this](HDC dc, bool) { Draw(dc); }))
        return *painted;
    switch (msg) {
    case WM_SIZE: {
        const LRESULT result = Default(msg, wp, lp);
        RecalcLayout();
        // The pie moves and changes size: what was shown before is stale.
        Invalidate(false);
        return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: // the class reports double-clicks: the second press of one starts a drag too
        BeginDrag(GET_X_LPARAM(lp));
        return 0;
    case WM_MOUSEMOVE:
        DragTo(GET_X_LPARAM(lp));
        return 0;
    case WM_LBUTTONUP:
        EndDrag();
        return 0;
    case WM_CAPTURECHANGED:
        // Taken away (another window, a menu, a message box): the button-up
        // will not come here, and the pie must not follow a released mouse.
        m_bDragging = false;
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        // The arrows turn it as dragging does: the right one clockwise.
        if (wp == VK_LEFT || wp == VK_RIGHT) {
            Turn(wp == VK_RIGHT ? kKeyTurnDegrees : -kKeyTurnDegrees);
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE: {
        const LRESULT result = Default(msg, wp, lp);
        Invalidate(false); // the focus rectangle comes or goes
        return result;
    }
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_CROSS));
            return TRUE;
        }
        break;
    case WM_DPICHANGED_AFTERPARENT:
        Invalidate(false); // the texts take the new DPI's font at the next paint
        return 0;
    }
    return Default(msg, wp, lp);
}

void CPieChartCtrl::Draw(HDC target)
{
    const RECT client = GetClientRect();
    const RECT& pie = m_geometry.PieRect();
    COffscreenDC offscreen(target);
    HDC dc = offscreen.Get();
    FillSolid(dc, client, ::GetSysColor(COLOR_BTNFACE));
    const fx::CPenHandle outline(::CreatePen(PS_SOLID, 1, kOutlineColor));
    {
        const fx::CBrushHandle disc(::CreateSolidBrush(kDiscColor));
        const fx::CSelectObject pen(dc, ::GetStockObject(NULL_PEN));
        const fx::CSelectObject brush(dc, disc.Get());
        ::Ellipse(dc, pie.left, pie.top, pie.right, pie.bottom);
    }

    const fx::CSelectObject font(dc, LabelFont());
    const int legendGap = fx::ScaleToDpi(kLegendGap, m_labelFontDpi);
    ::SetBkMode(dc, TRANSPARENT);
    // Each slice is finished before the next begins, so a later wedge covers
    // any legend row or percentage of an earlier one that lies under it.
    int angle = m_startAngle;
    int legendRow = 0;
    POINT from = m_geometry.AngleToPoint(angle, false);
    for (const CPieSlice& slice : m_slices) {
        angle += slice.m_degrees;
        const POINT to = m_geometry.AngleToPoint(angle, false);
        DrawWedge(dc, slice, from, to, outline.Get());
        if (!slice.m_label.empty())
            DrawLegendRow(dc, client, slice, legendRow++, legendGap);
        DrawPercentage(dc, slice, angle);
        from = to;
    }

    // Over everything, so no wedge frays the rim.
    const fx::CSelectObject pen(dc, outline.Get());
    const fx::CSelectObject brush(dc, ::GetStockObject(NULL_BRUSH));
    ::Ellipse(dc, pie.left, pie.top, pie.right, pie.bottom);

    if (::GetFocus() == m_hWnd && !HidesFocusCue(m_hWnd))
        DrawFocusCue(dc, client);
}

void CPieChartCtrl::DrawWedge(HDC dc, const CPieSlice& slice, POINT from, POINT to, HPEN outline) const
{
    const RECT& pie = m_geometry.PieRect();
    // Ends that meet (no size, or whole turns) would make Pie fill the whole
    // disc; such a slice shows as its border line only.
    if (from.x != to.x || from.y != to.y) {
        const fx::CSelectObject pen(dc, ::GetStockObject(NULL_PEN));
        const fx::CSelectObject brush(dc, slice.m_brush.Get());
        // Counter-clockwise from the end back to the start: the wedge that
        // runs clockwise from start to end.
        ::SetArcDirection(dc, AD_COUNTERCLOCKWISE);
        ::Pie(dc, pie.left, pie.top, pie.right, pie.bottom, to.x, to.y, from.x, from.y);
    }
    const fx::CSelectObject pen(dc, outline);
    const POINT centre = m_geometry.Centre();
    ::MoveToEx(dc, from.x, from.y, nullptr);
    ::LineTo(dc, centre.x, centre.y);
    ::LineTo(dc, to.x, to.y);
}

void CPieChartCtrl::DrawLegendRow(HDC dc, const RECT& client, const CPieSlice& slice, int row, int gap)
{
    const int length = static_cast<int>(slice.m_label.size());
    SIZE text{};
    ::GetTextExtentPoint32W(dc, slice.m_label.c_str(), length, &text);
    // A square swatch as tall as the text, rows stacked down from the corner.
    RECT swatch{client.right - text.cy, client.top + text.cy * row, client.right, client.top + text.cy * (row + 1)};
    FillSolid(dc, swatch, slice.m_fillColor);
    ::DrawEdge(dc, &swatch, EDGE_SUNKEN, BF_RECT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    RECT area{client.left, swatch.top, swatch.left - gap, swatch.bottom};
    ::DrawTextW(dc, slice.m_label.c_str(), length, &area, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CPieChartCtrl::DrawPercentage(HDC dc, const CPieSlice& slice, int endAngle) const
{
    const std::wstring text = SlicePercentText(slice.m_degrees);
    if (text.empty())
        return;
    const int length = static_cast<int>(text.size());
    // Centred on the middle of the wedge, at 0.6 of the radius.
    const POINT anchor = m_geometry.AngleToPoint(endAngle - slice.m_degrees / 2, true);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), length, &size);
    ::SetTextColor(dc, slice.m_textColor);
    ::TextOutW(dc, anchor.x - size.cx / 2, anchor.y - size.cy / 2, text.c_str(), length);
}

} // namespace fennix
