#include "controls/IconButton.h"

#include "controls/FocusCue.h"
#include "controls/OffscreenDC.h"
#include "framework/Dpi.h"

namespace {
// Between the left edge and an icon placed left of the caption, and between
// that icon and the caption's area: pixels at 96 DPI.
const int kIconGap = 3;
// Between the edge and the focus rectangle: pixels at 96 DPI.
const int kFocusInset = 3;

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
    m_bDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
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
    switch (msg) {
    case WM_GETDLGCODE:
        // An owner-drawn button is no push button to the dialog manager, which
        // would then press the dialog's default on Enter while the focus is
        // here. As a push button it becomes the default while it has the focus.
        return DLGC_BUTTON | (m_bDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTYLE:
        // The dialog manager makes a push button the default, and takes that
        // back, by its style: the button notes it and stays owner-drawn.
        m_bDefault = (wp & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        return Default(msg, (wp & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, lp);
    case WM_UPDATEUISTATE: {
        const LRESULT result = Default(msg, wp, lp);
        Invalidate(false); // the focus rectangle and the underline follow the cues
        return result;
    }
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

    const std::wstring caption = GetWindowText();
    RECT captionRect = work;
    if (HoverIcon())
        DrawIcon(dc, work, captionRect, !caption.empty(), pressed, disabled);
    if (!caption.empty())
        DrawCaption(dc, caption, captionRect, dis);

    // Wine never sets ODS_NOFOCUSRECT: the window's own cues tell as well.
    if ((dis.itemState & ODS_FOCUS) && !(dis.itemState & ODS_NOFOCUSRECT) && !HidesFocusCue(m_hWnd)) {
        RECT focus = work;
        const int inset = fx::ScaleToDpi(kFocusInset, fx::WindowDpi(m_hWnd));
        ::InflateRect(&focus, -inset, -inset);
        DrawFocusCue(dc, focus);
    }
}

void CIconButton::DrawCaption(HDC dc, const std::wstring& caption, RECT rect, const DRAWITEMSTRUCT& dis) const
{
    const bool pressed = (dis.itemState & ODS_SELECTED) != 0;
    const bool lit = IsHovered() || pressed;
    if (pressed)
        ::OffsetRect(&rect, 1, 1);
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    fx::CSelectObject selectFont(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetTextColor(dc, lit ? m_hoverTextColor : m_normalTextColor);
    ::SetBkColor(dc, lit ? m_hoverBackColor : m_normalBackColor);
    RECT text = rect;
    ::DrawTextW(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
    ::OffsetRect(&text, ((rect.right - rect.left) - (text.right - text.left)) / 2,
                 ((rect.bottom - rect.top) - (text.bottom - text.top)) / 2);
    UINT flags = DST_PREFIXTEXT;
    if (dis.itemState & ODS_DISABLED)
        flags |= DSS_DISABLED;
    if ((dis.itemState & ODS_NOACCEL) || HidesMnemonicCue(m_hWnd))
        flags |= DSS_HIDEPREFIX;
    ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption.c_str()), static_cast<WPARAM>(caption.size()),
                 text.left, text.top, text.right - text.left, text.bottom - text.top, flags);
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
