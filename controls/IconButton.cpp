#include "controls/IconButton.h"

#include "controls/OffscreenDC.h"
#include "framework/Dpi.h"

namespace {
// Between the left edge and an icon placed left of the caption, and between
// that icon and the caption's area: pixels at 96 DPI.
const int kIconGap = 3;

void DrawLine(HDC dc, COLORREF color, POINT from, POINT mid, POINT to)
{
    fx::CPenHandle pen(::CreatePen(PS_SOLID, 1, color));
    fx::CSelectObject select(dc, pen.Get());
    ::MoveToEx(dc, from.x, from.y, nullptr);
    ::LineTo(dc, mid.x, mid.y);
    ::LineTo(dc, to.x, to.y);
}
} // namespace

CIconButton::CIconButton()
    : m_hover({.endOnFocusLoss = true, .ignoreEntryWithButtonHeld = true}, [this] { Invalidate(); }),
      m_normalBackColor(::GetSysColor(COLOR_BTNFACE)), m_normalTextColor(::GetSysColor(COLOR_BTNTEXT)),
      m_hoverBackColor(::GetSysColor(COLOR_BTNFACE)), m_hoverTextColor(::GetSysColor(COLOR_BTNTEXT))
{
}

void CIconButton::SetIcons(WORD hoverId, WORD normalId, BYTE width, BYTE height)
{
    m_hoverId = hoverId;
    m_normalId = normalId;
    m_iconWidth = width;
    m_iconHeight = height;
    LoadIcons();
    if (m_hWnd)
        RedrawNow();
}

void CIconButton::LoadIcons()
{
    // Loaded at the drawn size, so the image is the one drawn for that size
    // rather than a scaled one.
    m_iconDpi = fx::WindowDpi(m_hWnd);
    m_hoverIcon = m_hoverId ? fx::LoadIconForDpi(m_hoverId, m_iconWidth, m_iconHeight, m_iconDpi) : fx::CIconHandle();
    m_normalIcon = m_normalId ? fx::LoadIconForDpi(m_normalId, m_iconWidth, m_iconHeight, m_iconDpi)
                              : fx::CIconHandle();
}

SIZE CIconButton::IconSize() const
{
    return SIZE{fx::ScaleToDpi(m_iconWidth, m_iconDpi), fx::ScaleToDpi(m_iconHeight, m_iconDpi)};
}

void CIconButton::SetNormalTextColor(COLORREF color, bool repaint)
{
    m_normalTextColor = color;
    if (repaint && m_hWnd)
        Invalidate();
}

void CIconButton::SetHoverTextColor(COLORREF color, bool repaint)
{
    m_hoverTextColor = color;
    if (repaint && m_hWnd)
        Invalidate();
}

void CIconButton::SetIconPlacement(int placement)
{
    if (placement == IconLeft || placement == IconTop)
        m_placement = placement;
    if (m_hWnd)
        Invalidate();
}

void CIconButton::PreSubclassWindow()
{
    LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
    ::SendMessageW(m_hWnd, BM_SETSTYLE, (style & 0xFF & ~BS_TYPEMASK) | BS_OWNERDRAW, TRUE);
}

bool CIconButton::OnChildNotify(UINT msg, WPARAM, LPARAM lp, LRESULT* result)
{
    if (msg != WM_DRAWITEM)
        return false;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    *result = TRUE;
    return true;
}

LRESULT CIconButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DPICHANGED_AFTERPARENT && m_hoverId && fx::WindowDpi(m_hWnd) != m_iconDpi) {
        LoadIcons();
        Invalidate();
    }
    LRESULT result = Default(msg, wp, lp);
    m_hover.OnMessage(m_hWnd, msg, wp, lp);
    return result;
}

void CIconButton::DrawItem(const DRAWITEMSTRUCT& dis)
{
    COffscreenDC offscreen(dis.hDC);
    HDC dc = offscreen.Get();
    RECT work = dis.rcItem;
    const bool pressed = (dis.itemState & ODS_SELECTED) != 0;
    const bool disabled = (dis.itemState & ODS_DISABLED) != 0;
    const bool lit = IsHovered() || pressed;

    fx::CBrushHandle back(::CreateSolidBrush(lit ? m_hoverBackColor : m_normalBackColor));
    ::FillRect(dc, &work, back.Get());

    if (pressed || IsHovered()) {
        COLORREF topLeft = ::GetSysColor(pressed ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
        COLORREF bottomRight = ::GetSysColor(pressed ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
        DrawLine(dc, topLeft, {work.left, work.bottom - 1}, {work.left, work.top}, {work.right, work.top});
        DrawLine(dc, bottomRight, {work.left, work.bottom - 1}, {work.right - 1, work.bottom - 1},
                 {work.right - 1, work.top - 1});
    }

    std::wstring caption = GetWindowText();
    RECT captionRect = work;
    if (HoverIcon())
        DrawIcon(dc, work, captionRect, !caption.empty(), pressed, disabled);

    if (caption.empty())
        return;
    if (pressed)
        ::OffsetRect(&captionRect, 1, 1);
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    fx::CSelectObject selectFont(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetTextColor(dc, lit ? m_hoverTextColor : m_normalTextColor);
    ::SetBkColor(dc, lit ? m_hoverBackColor : m_normalBackColor);
    RECT text = captionRect;
    ::DrawTextW(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
    ::OffsetRect(&text, ((captionRect.right - captionRect.left) - (text.right - text.left)) / 2,
                 ((captionRect.bottom - captionRect.top) - (text.bottom - text.top)) / 2);
    ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption.c_str()), static_cast<WPARAM>(caption.size()),
                 text.left, text.top, text.right - text.left, text.bottom - text.top,
                 DST_PREFIXTEXT | (disabled ? DSS_DISABLED : 0));
}

void CIconButton::DrawIcon(HDC dc, const RECT& work, RECT& caption, bool hasCaption, bool pressed, bool disabled) const
{
    RECT icon = work;
    const SIZE size = IconSize();
    auto centreHorizontally = [&] { icon.left += (icon.right - size.cx - icon.left) / 2; };
    auto centreVertically = [&] { icon.top += (icon.bottom - size.cy - icon.top) / 2; };
    if (m_placement == IconLeft) {
        if (hasCaption) {
            const int gap = fx::ScaleToDpi(kIconGap, m_iconDpi);
            icon.left += gap;
            caption.left += size.cx + gap;
        } else {
            centreHorizontally();
        }
        centreVertically();
    } else {
        centreHorizontally();
        if (hasCaption)
            caption.top += size.cy;
        else
            centreVertically();
    }
    if (pressed)
        ::OffsetRect(&icon, 1, 1);
    HICON shown = (IsHovered() || pressed) ? HoverIcon() : NormalIcon();
    ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(shown), 0, icon.left, icon.top, size.cx, size.cy,
                 DST_ICON | (disabled ? DSS_DISABLED : 0));
}
