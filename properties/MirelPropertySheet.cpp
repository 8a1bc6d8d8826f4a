#include "properties/MirelPropertySheet.h"

#include "controls/DropList.h"
#include "framework/App.h"
#include "framework/Handle.h"
#include "framework/LongPath.h"
#include "framework/Resources.h"
#include "properties/Messages.h"
#include "properties/res/resource.h"

#include <shellapi.h>

CMirelPropertySheet::CMirelPropertySheet(HWND frame)
    : CPropertySheet(fx::LoadString(IDS_SHEET_CAPTION), frame, 0), m_aboutPage(IDD_ABOUT)
{
    AddPage(&m_aboutPage);
}

HWND CMirelPropertySheet::MainWindow() const
{
    fx::CWinApp* app = fx::CWinApp::Get();
    return app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : ::GetAncestor(m_hWnd, GA_ROOT);
}

BOOL CMirelPropertySheet::OnInitDialog()
{
    if (m_toolTip.Create(m_hWnd))
        m_toolTip.Activate(true);
    BOOL result = CPropertySheet::OnInitDialog();
    m_minimizeButton.SetIcons(IDI_MINIMIZE_HOT, IDI_MINIMIZE, 16, 16);
    ::DragAcceptFiles(m_hWnd, TRUE);
    LoadSelection();
    return result;
}

bool CMirelPropertySheet::PreTranslateMessage(MSG* msg)
{
    m_toolTip.RelayEvent(msg);
    return CPropertySheet::PreTranslateMessage(msg);
}

void CMirelPropertySheet::LoadSelection()
{
    m_dropWindow.ShowWindow(SW_HIDE);
    ::BringWindowToTop(MainWindow());
    m_items.RemoveAll();

    std::optional<std::vector<std::wstring>> paths = TakeClipboardDropList();
    // No list, or a list without a single path: nothing new to show.
    if (!paths || paths->empty())
        return;
    for (const std::wstring& path : *paths)
        if (!m_items.Add(path))
            break;

    // Like the shell's finder, this does not report a drive root (nor a
    // vanished path) as a folder: those go to the file page, which refuses them.
    const std::wstring first = m_items.GetAt(0);
    WIN32_FIND_DATAW found{};
    HANDLE find = ::FindFirstFileW(fx::ExtendedLengthPath(first).c_str(), &found);
    const bool isFolder = find != INVALID_HANDLE_VALUE && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (find != INVALID_HANDLE_VALUE)
        ::FindClose(find);
    if (m_items.GetCount() == 1 && !isFolder)
        ShowFile(first);
}

void CMirelPropertySheet::ShowFile(const std::wstring& path)
{
    m_filePage.SetPath(path);
    AddPage(&m_filePage);
    SetActivePage(1);
    if (!m_filePage.LoadFileInfo())
        RemovePage(1);
}

void CMirelPropertySheet::OnDropFiles(HDROP drop)
{
    if (GetPageCount() > 1)
        SetActivePage(1);
    for (int index = GetPageCount() - 1; index >= 1; --index)
        RemovePage(index);
    // The drop goes the same way as a selection handed over at start-up.
    bool handedOver = false;
    {
        fx::CClipboard clipboard(m_hWnd);
        if (clipboard.IsOpen() && ::EmptyClipboard())
            handedOver = ::SetClipboardData(CF_HDROP, drop) != nullptr;
    }
    if (!handedOver)
        ::DragFinish(drop); // the clipboard did not take it: it is still ours to free
    LoadSelection();
}

void CMirelPropertySheet::OnMinimize()
{
    ::ShowWindow(MainWindow(), SW_HIDE);
    // The drop window is made the first time it is needed, after the frame
    // has gone, so it centres on the screen. Made at start-up it flashed on
    // the screen and held back the first paint by 25-40 ms.
    if (!m_dropWindow.m_hWnd && m_dropWindow.Create(m_hWnd))
        m_dropWindow.SetSheet(this);
    m_dropWindow.ShowWindow(SW_SHOW);
}

void CMirelPropertySheet::OnRestoreFromDropWindow(WPARAM dropped, LPARAM drop)
{
    ::ShowWindow(MainWindow(), SW_SHOW);
    ShowWindow(SW_SHOW);
    if (dropped)
        OnDropFiles(reinterpret_cast<HDROP>(drop));
}

LRESULT CMirelPropertySheet::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == IDC_MINIMIZE_BUTTON && HIWORD(wp) == BN_CLICKED) {
            OnMinimize();
            return 0;
        }
        break;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wp));
        return 0;
    case WM_DROPWND_RESTORE:
        OnRestoreFromDropWindow(wp, lp);
        return 0;
    }
    return CPropertySheet::WindowProc(msg, wp, lp);
}

void CMirelPropertySheet::PostNcDestroy()
{
    CPropertySheet::PostNcDestroy();
    m_dropWindow.DestroyWindow();
    delete this;
}
