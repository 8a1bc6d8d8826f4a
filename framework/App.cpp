#include "framework/App.h"

#include "framework/Dialog.h"
#include "framework/Dpi.h"
#include "framework/Wnd.h"

#include <commctrl.h>

namespace fx {

CWinApp* CWinApp::s_app = nullptr;

CWinApp::CWinApp()
{
    s_app = this;
}

CWinApp::~CWinApp()
{
    if (s_app == this)
        s_app = nullptr;
}

BOOL CWinApp::RunMainDialog(CDialog& dialog)
{
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int CWinApp::Main()
{
    // No "There is no disk in the drive" box from the system: the programs
    // report unreadable drives in their own words.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    KeepThreadWithinDrawnDpis();
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&icc);
    if (!InitInstance())
        return ExitInstance(0);
    return ExitInstance(Run());
}

int CWinApp::Run()
{
    MSG msg;
    for (;;) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return -1;
        RouteMessage(msg);
    }
}

void CWinApp::RouteMessage(MSG& msg)
{
    if (!PreTranslate(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool CWinApp::PreTranslate(MSG* msg)
{
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd); wnd && wnd->PreTranslateMessage(msg))
            return true;
        if (!(::GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD))
            break; // stop at the top-level window, not its owner
    }
    return false;
}

} // namespace fx
