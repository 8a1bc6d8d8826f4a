#include "controls/FlatComboBox.h"

#include "controls/BandPainting.h"
#include "controls/OffscreenDC.h"
#include "framework/Dpi.h"
#include "framework/Handle.h"

namespace {

const UINT_PTR kPollTimer = 1;
const UINT kPollMilliseconds = 10;
// The sunken and raised edges a dialog gives its controls; they would sit
// outside the flat frame and hide it.
const LONG_PTR kEdgeStyles = WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;

// One-pixel lines: top and left in topLeft, right and bottom in bottomRight.
void Draw3dRect(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolid(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    FillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    FillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

} // namespace

bool CFlatComboBox::PreTranslateMessage(MSG* msg)
{
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        // Tab stays the dialog's, so that the keyboard can leave the box.
        if (msg->wParam == VK_TAB)
            return false;
        ::TranslateMessage(msg);
        ::DispatchMessageW(msg);
        return true;
    case WM_SYSCHAR:
        return true;
    default:
        return fx::CComboBox::PreTranslateMessage(msg);
    }
}

LRESULT CFlatComboBox::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_MOUSEMOVE:
        // A move without the button means its release went to another window
        // (the dropped list holds the mouse): the box is no longer pressed.
        if (!(wp & MK_LBUTTON))
            m_bPressed = false;
        SetTimer(kPollTimer, kPollMilliseconds, [this] { Poll(); });
        Poll();
        return Default(msg, wp, lp);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT result = Default(msg, wp, lp);
        ShowLook(RestingLook());
        return result;
    }
    case WM_LBUTTONDOWN:
        m_bPressed = true;
        return Default(msg, wp, lp);
    case WM_LBUTTONUP:
        m_bPressed = false;
        Invalidate(true);
        return Default(msg, wp, lp);
    case WM_ERASEBKGND:
        return 1; // every pixel is painted in one piece in WM_PAINT
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DPICHANGED_AFTERPARENT:
        Invalidate(true); // the arrow's frame follows the arrow's width at the new DPI
        return Default(msg, wp, lp);
    default:
        return Default(msg, wp, lp);
    }
}

void CFlatComboBox::Poll()
{
    if (!m_bPressed && PointerOver()) {
        if (!m_bHot) {
            m_bHot = true;
            ShowLook(Look::Hot);
        }
        return;
    }
    KillTimer(kPollTimer);
    if (m_bHot) {
        m_bHot = false;
        ShowLook(m_bPressed ? Look::Pressed : RestingLook());
    }
}

void CFlatComboBox::OnPaint()
{
    // Changed before BeginPaint, so the frame change's repaint is part of this one.
    const LONG_PTR exStyle = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    if (exStyle & kEdgeStyles) {
        ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, exStyle & ~kEdgeStyles);
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fx::CPaintDC paint(m_hWnd);
    // The edit of an editable box paints itself; the copy must not cover it.
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (::GetComboBoxInfo(m_hWnd, &info) && info.hwndItem && info.hwndItem != m_hWnd) {
        RECT edit{};
        ::GetWindowRect(info.hwndItem, &edit);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&edit), 2);
        ::ExcludeClipRect(paint.Get(), edit.left, edit.top, edit.right, edit.bottom);
    }
    const Look look = PointerOver() || HasFocus() ? Look::Hot : Look::Flat;
    // The box's own drawing and the frame over it reach the screen in one copy.
    COffscreenDC offscreen(paint.Get());
    Default(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(offscreen.Get()), PRF_CLIENT);
    DrawFrame(offscreen.Get(), look);
}

CFlatComboBox::Look CFlatComboBox::RestingLook() const
{
    return m_bHot || HasFocus() ? Look::Hot : Look::Flat;
}

bool CFlatComboBox::PointerOver() const
{
    POINT cursor{};
    const RECT window = GetWindowRect();
    return ::GetCursorPos(&cursor) && ::PtInRect(&window, cursor);
}

bool CFlatComboBox::HasFocus() const
{
    // An editable box keeps the focus in its edit child.
    HWND focus = ::GetFocus();
    return focus && (focus == m_hWnd || ::IsChild(m_hWnd, focus));
}

void CFlatComboBox::ShowLook(Look look) const
{
    fx::CClientDC dc(m_hWnd);
    DrawFrame(dc.Get(), look);
}

void CFlatComboBox::DrawFrame(HDC dc, Look look) const
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const bool enabled = ::IsWindowEnabled(m_hWnd) != FALSE;
    // A disabled box answers neither the pointer nor the focus: it stays flat.
    if (!enabled)
        look = Look::Flat;

    RECT r = GetClientRect();
    if (look == Look::Flat)
        Draw3dRect(dc, r, face, face);
    else
        Draw3dRect(dc, r, shadow, light);
    ::InflateRect(&r, -1, -1);
    Draw3dRect(dc, r, enabled ? face : light, enabled ? face : light);
    ::InflateRect(&r, -1, -1);

    // The arrow's area, as wide as the box draws its arrow at the window's DPI.
    r.left = r.right - ::GetSystemMetricsForDpi(SM_CXHTHUMB, fx::WindowDpi(m_hWnd));
    Draw3dRect(dc, r, face, face);
    ::InflateRect(&r, -1, -1);
    Draw3dRect(dc, r, face, face);
    if (!enabled)
        return;

    r.top -= 1;
    r.bottom += 1;
    switch (look) {
    case Look::Flat:
        Draw3dRect(dc, r, light, light);
        r.left -= 1;
        Draw3dRect(dc, r, light, light);
        break;
    case Look::Hot:
        Draw3dRect(dc, r, light, shadow);
        break;
    case Look::Pressed:
        ::OffsetRect(&r, 1, 1);
        Draw3dRect(dc, r, shadow, light);
        break;
    }
}
