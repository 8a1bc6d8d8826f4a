#include "controls/LinkLabel.h"

#include "controls/LinkOpener.h"
#include "framework/Dpi.h"
#include "framework/MessageBox.h"
#include "framework/Trace.h"

namespace {
const UINT_PTR kToolId = 1;
}

CLinkLabel::CLinkLabel()
    : m_hoverColor(::GetSysColor(COLOR_HIGHLIGHT)), m_hover(CHoverTracker::Rules{}, [this] { RedrawNow(); })
{
}

void CLinkLabel::SetURL(const std::wstring& url)
{
    m_url = url;
    if (m_hWnd)
        m_toolTip.UpdateTipText(m_hWnd, kToolId, m_url);
}

COLORREF CLinkLabel::CurrentTextColor() const
{
    return IsHovering() ? m_hoverColor : m_bVisited ? m_visitedColor : m_linkColor;
}

void CLinkLabel::PreSubclassWindow()
{
    ::SetWindowLongW(m_hWnd, GWL_STYLE, ::GetWindowLongW(m_hWnd, GWL_STYLE) | SS_NOTIFY);

    std::wstring text = GetWindowText();
    if (m_url.empty())
        m_url = text;
    if (text.empty())
        SetWindowText(m_url);

    MakeLinkFont(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    if (m_linkFont)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_linkFont.Get()), IsWindowVisible());

    if (!m_linkCursor)
        m_linkCursor = ::LoadCursorW(nullptr, IDC_HAND);
}

void CLinkLabel::MakeToolTip(UINT msg, WPARAM wp, LPARAM lp)
{
    // A tooltip is a popup, a window of its own on the display and slow to
    // make: it is made when the pointer first comes, not with the label.
    if (m_toolTip.m_hWnd || !m_toolTip.Create(m_hWnd))
        return;
    m_toolTip.AddTool(m_hWnd, kToolId, GetClientRect(), m_url);
    // It watches the label's messages from the next one on: this one it is told.
    MSG move{};
    move.hwnd = m_hWnd;
    move.message = msg;
    move.wParam = wp;
    move.lParam = lp;
    move.time = static_cast<DWORD>(::GetMessageTime());
    m_toolTip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}

bool CLinkLabel::OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result)
{
    if (msg == WM_COMMAND && HIWORD(wp) == STN_CLICKED) {
        OpenURL();
        *result = 0;
        return true;
    }
    if (msg == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wp);
        ::SetTextColor(dc, CurrentTextColor());
        ::SetBkMode(dc, TRANSPARENT);
        *result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        return true;
    }
    (void)lp;
    return false;
}

void CLinkLabel::MakeLinkFont(HFONT font)
{
    LOGFONTW lf{};
    if (!::GetObjectW(font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf))
        return;
    lf.lfUnderline = TRUE;
    if (fx::CFontHandle made(::CreateFontIndirectW(&lf)); made) {
        m_linkFont = std::move(made);
        m_linkFontDpi = fx::WindowDpi(m_hWnd);
    }
}

void CLinkLabel::OnDpiChanged()
{
    // The dialog may have given the label a font for the new DPI already
    // (WM_SETFONT); otherwise the one it has is the old DPI's.
    const UINT dpi = fx::WindowDpi(m_hWnd);
    LOGFONTW lf{};
    if (dpi == m_linkFontDpi || !::GetObjectW(m_linkFont.Get(), sizeof(lf), &lf))
        return;
    lf.lfHeight = ::MulDiv(lf.lfHeight, static_cast<int>(dpi), static_cast<int>(m_linkFontDpi));
    lf.lfWidth = ::MulDiv(lf.lfWidth, static_cast<int>(dpi), static_cast<int>(m_linkFontDpi));
    fx::CFontHandle scaled(::CreateFontIndirectW(&lf));
    if (!scaled)
        return;
    Default(WM_SETFONT, reinterpret_cast<WPARAM>(scaled.Get()), TRUE);
    m_linkFont = std::move(scaled);
    m_linkFontDpi = dpi;
}

LRESULT CLinkLabel::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_GETDLGCODE:
        // A button to the dialog manager: Alt and the link's mnemonic open
        // it, where a label's mnemonic would move the focus on.
        return DLGC_BUTTON;
    case BM_CLICK:
        // The click a mouse makes, told to the parent the same way.
        ::SendMessageW(GetParent(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), STN_CLICKED),
                       reinterpret_cast<LPARAM>(m_hWnd));
        return 0;
    case WM_SETFONT: {
        const HFONT given = reinterpret_cast<HFONT>(wp);
        if (given == m_linkFont.Get())
            break;
        // The old link font goes only once the label has let go of it.
        const fx::CFontHandle old = std::move(m_linkFont);
        MakeLinkFont(given);
        return Default(msg, m_linkFont ? reinterpret_cast<WPARAM>(m_linkFont.Get()) : wp, lp);
    }
    case WM_DPICHANGED_AFTERPARENT:
        OnDpiChanged();
        break;
    case WM_SIZE:
        // The tool covers the label, which grows and shrinks with the DPI.
        m_toolTip.SetToolRect(m_hWnd, kToolId, GetClientRect());
        break;
    case WM_MOUSEMOVE:
        MakeToolTip(msg, wp, lp);
        break;
    case WM_SETCURSOR:
        if (m_linkCursor) {
            ::SetCursor(m_linkCursor);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        // The tooltip is a popup and would outlive the label; a label made
        // anew (a page shown again) gets a tooltip of its own.
        m_toolTip.DestroyWindow();
        break;
    }
    LRESULT result = Default(msg, wp, lp);
    m_hover.OnMessage(m_hWnd, msg, wp, lp);
    return result;
}

void CLinkLabel::OpenURL()
{
    INT_PTR result = link::OpenLink(m_url, SW_SHOW);
    m_bVisited = result > 32;
    if (m_bVisited) {
        Invalidate();
        return;
    }
    fx::Trace(L"opening " + m_url + L" failed with code " + std::to_wstring(result));
    ::MessageBeep(MB_ICONEXCLAMATION);
    fx::MessageBox(GetParent(), link::ErrorText(result), MB_ICONEXCLAMATION);
}
