#include "properties/DropWindow.h"

#include "framework/Handle.h"
#include "properties/Messages.h"
#include "properties/MirelPropertySheet.h"
#include "properties/res/resource.h"

#include <shellapi.h>

CDropWindow::CDropWindow() : CDialog(IDD_DROP_WINDOW)
{
}

BOOL CDropWindow::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::DragAcceptFiles(m_hWnd, TRUE);
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    m_waitingIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_DROP_WAIT));
    m_droppedIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_DROP_DONE));
    // Created hidden: it shows (and takes its place on top) only when the
    // sheet is minimised to it.
    m_currentIcon = m_waitingIcon;
    if (m_toolTip.Create(m_hWnd)) {
        m_toolTip.Activate(true);
        m_toolTip.AddTool(m_hWnd, L"Double click to maximize");
    }
    return TRUE;
}

void CDropWindow::SetCurrentIcon(HICON icon)
{
    m_currentIcon = icon;
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CDropWindow::OnShown()
{
    SetCurrentIcon(m_waitingIcon);
    SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    CenterWindow();
}

void CDropWindow::OnPaint()
{
    fx::CPaintDC paint(m_hWnd);
    RECT client = GetClientRect();
    ::FillRect(paint.Get(), &client, ::GetSysColorBrush(COLOR_BTNFACE));
    const int size = 32;
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
    case WM_DROPFILES:
        SetCurrentIcon(m_droppedIcon);
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
