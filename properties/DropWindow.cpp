#include "properties/DropWindow.h"

#include "framework/Dpi.h"
#include "framework/Handle.h"
#include "properties/Messages.h"
#include "properties/MirelPropertySheet.h"
#include "properties/res/resource.h"

#include <shellapi.h>

namespace fennix {

namespace {
const int kIconSize = 32; // pixels at 96 DPI
} // namespace

CDropWindow::CDropWindow() : CDialog(IDD_DROP_WINDOW)
{
}

BOOL CDropWindow::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::DragAcceptFiles(m_hWnd, TRUE);
    LoadIcons();
    // Created hidden: it shows (and takes its place on top) only when the
    // sheet is minimised to it.
    m_currentIcon = m_waitingIcon.Get();
    if (m_toolTip.Create(m_hWnd)) {
        m_toolTip.Activate(true);
        m_toolTip.AddTool(m_hWnd, L"Double click to maximize");
    }
    return FALSE; // made hidden, it takes no focus (nor the activation with it)
}

void CDropWindow::LoadIcons()
{
    const UINT dpi = fx::WindowDpi(m_hWnd);
    const bool dropped = m_currentIcon && m_currentIcon == m_droppedIcon.Get();
    m_waitingIcon = fx::LoadIconForDpi(IDI_DROP_WAIT, kIconSize, kIconSize, dpi);
    m_droppedIcon = fx::LoadIconForDpi(IDI_DROP_DONE, kIconSize, kIconSize, dpi);
    if (m_currentIcon)
        m_currentIcon = dropped ? m_droppedIcon.Get() : m_waitingIcon.Get();
}

void CDropWindow::SetCurrentIcon(HICON icon)
{
    m_currentIcon = icon;
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CDropWindow::OnShown()
{
    SetCurrentIcon(m_waitingIcon.Get());
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    CenterWindow();
}

void CDropWindow::OnPaint()
{
    fx::CPaintDC paint(m_hWnd);
    RECT client = GetClientRect();
    ::FillRect(paint.Get(), &client, ::GetSysColorBrush(COLOR_BTNFACE));
    const int size = fx::ScaleToDpi(kIconSize, fx::WindowDpi(m_hWnd));
    int x = (client.right - size) / 2, y = (client.bottom - size) / 2;
    ::DrawStateW(paint.Get(), nullptr, nullptr, reinterpret_cast<LPARAM>(m_currentIcon), 0, x, y, size, size, DST_ICON);
}

void CDropWindow::RestoreSheet()
{
    SetWindowPos(HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    ShowWindow(SW_HIDE);
    if (m_pSheet)
        m_pSheet->SendMessage(WM_DROPWND_RESTORE, 0, 0);
}

LRESULT CDropWindow::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SHOWWINDOW: {
        LRESULT r = Default(msg, wp, lp);
        if (wp)
            OnShown();
        return r;
    }
    case WM_DPICHANGED: {
        // The dialog takes its size at the new DPI; the icons follow.
        const LRESULT result = CDialog::WindowProc(msg, wp, lp);
        LoadIcons();
        Invalidate();
        return result;
    }
    case WM_DROPFILES:
        SetCurrentIcon(m_droppedIcon.Get());
        if (m_pSheet)
            m_pSheet->SendMessage(WM_DROPWND_RESTORE, 1, static_cast<LPARAM>(wp));
        return 0;
    case WM_CLOSE:
        RestoreSheet();
        return 0;
    case WM_LBUTTONDBLCLK:
        RestoreSheet();
        break;
    }
    return CDialog::WindowProc(msg, wp, lp);
}

} // namespace fennix
