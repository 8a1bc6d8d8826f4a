#include "properties/MirelPropertyFrame.h"

#include "framework/Dialog.h"
#include "framework/Dpi.h"
#include "properties/Messages.h"
#include "properties/MirelPropertySheet.h"
#include "properties/res/resource.h"

namespace fennix {

namespace {
const int kMinimizeButtonSize = 25; // pixels at 96 DPI, square
} // namespace

LRESULT CMirelPropertyFrame::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    LRESULT result = 0;
    if (m_appIcon.OnMessage(m_hWnd, msg, wp, &result))
        return result;
    switch (msg) {
    case WM_CREATE:
        if (Default(msg, wp, lp) == -1)
            return -1;
        return OnCreate();
    case WM_CLOSE:
        ::PostQuitMessage(0);
        return 0;
    case WM_SETFOCUS:
        if (FocusSheet())
            return 0;
        break;
    case WM_DPICHANGED: {
        const RECT* suggested = reinterpret_cast<const RECT*>(lp);
        SetWindowPos(nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        // The sheet takes its size for the new DPI as the change reaches it,
        // after this: the frame fits it once that is done.
        PostMessage(WM_FIT_TO_SHEET);
        return 0;
    }
    case WM_FIT_TO_SHEET:
        if (Sheet())
            FitToSheet();
        return 0;
    case WM_ACTIVATE: {
        LRESULT r = Default(msg, wp, lp);
        // Activation can change while the sheet is still being built; only
        // a sheet that existed and is gone ends the program.
        if (!m_sheetWindow)
            return r;
        if (!::IsWindow(m_sheetWindow))
            ::PostQuitMessage(0); // nothing left to show
        else
            ::SendMessageW(m_sheetWindow, WM_ACTIVATE, wp, lp);
        return r;
    }
    }
    return Default(msg, wp, lp);
}

int CMirelPropertyFrame::OnCreate()
{
    m_pSheet = new CMirelPropertySheet(m_hWnd);
    // Creating the sheet runs its set-up, and with it LoadSelection.
    if (!m_pSheet->Create(WS_CHILD | WS_VISIBLE)) {
        if (!m_pSheet->m_hWnd)
            delete m_pSheet;
        m_pSheet = nullptr;
        return -1;
    }
    m_sheetWindow = m_pSheet->m_hWnd;
    // Activated while the sheet was being made, the frame has kept the focus.
    if (::GetFocus() == m_hWnd)
        FocusSheet();
    CreateMinimizeButton();
    FitToSheet();
    m_appIcon.Set(m_hWnd, IDI_APP);
    return 0;
}

bool CMirelPropertyFrame::FocusSheet() const
{
    // The frame takes no keys itself: the keyboard goes on to the sheet's
    // first tab stop. Once the sheet has had the focus, it puts back its own
    // control when the frame is activated again (WM_ACTIVATE).
    HWND first = ::IsWindow(m_sheetWindow) ? ::GetNextDlgTabItem(m_sheetWindow, nullptr, FALSE) : nullptr;
    if (first)
        ::SetFocus(first);
    return first != nullptr;
}

void CMirelPropertyFrame::FitToSheet()
{
    RECT sheet = m_pSheet->GetWindowRect();
    RECT frame = CalcWindowRect(sheet);
    PlaceMinimizeButton(RECT{frame.left - sheet.left, frame.top - sheet.top, frame.right - sheet.left,
                             frame.bottom - sheet.top});
    SetWindowPos(HWND_TOPMOST, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOACTIVATE);
    m_pSheet->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMirelPropertyFrame::CreateMinimizeButton()
{
    // A tab stop like the pages' buttons, so that the keyboard reaches it too.
    HWND button = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0,
                                    m_pSheet->m_hWnd, reinterpret_cast<HMENU>(IDC_MINIMIZE_BUTTON),
                                    ::GetModuleHandleW(nullptr), nullptr);
    if (!button)
        return;
    m_pSheet->MinimizeButton().SubclassWindow(button);
}

void CMirelPropertyFrame::PlaceMinimizeButton(const RECT& frameRect)
{
    // frameRect is the frame's rectangle relative to the sheet's top-left:
    // the square sits at the sheet's top-right corner, level with the tabs.
    const UINT dpi = fx::WindowDpi(m_hWnd);
    const int size = fx::ScaleToDpi(kMinimizeButtonSize, dpi);
    const int right =
        frameRect.right - ::GetSystemMetricsForDpi(SM_CXFRAME, dpi) - ::GetSystemMetricsForDpi(SM_CXEDGE, dpi);
    ::SetWindowPos(m_pSheet->GetDlgItem(IDC_MINIMIZE_BUTTON), nullptr, right - size, 0, size, size,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace fennix
