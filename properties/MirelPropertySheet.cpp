#include "properties/MirelPropertySheet.h"

#include "common/DropList.h"
#include "common/SelectedPath.h"
#include "framework/App.h"
#include "framework/Handle.h"
#include "framework/LongPath.h"
#include "framework/Resources.h"
#include "properties/Messages.h"
#include "properties/res/resource.h"

#include <shellapi.h>

namespace fennix {

CMirelPropertySheet::CMirelPropertySheet(HWND frame)
    : CPropertySheet(fx::LoadString(IDS_SHEET_CAPTION), frame, 0), m_aboutPage(IDD_ABOUT)
{
    AddPage(&m_aboutPage);
    m_folderPage.SetPiePage(&m_piePage);
}

HWND CMirelPropertySheet::MainWindow() const
{
    fx::CWinApp* app = fx::CWinApp::Get();
    return app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : ::GetAncestor(m_hWnd, GA_ROOT);
}

BOOL CMirelPropertySheet::OnInitDialog()
{
    // The drop window exists, hidden, from the moment the sheet does.
    if (m_dropWindow.Create(m_hWnd))
        m_dropWindow.SetSheet(this);
    if (m_toolTip.Create(m_hWnd))
        m_toolTip.Activate(true);
    BOOL result = CPropertySheet::OnInitDialog();
    m_minimizeButton.SetIcons(IDI_MINIMIZE_HOT, IDI_MINIMIZE, 16, 16);
    ::DragAcceptFiles(m_hWnd, TRUE);
    LoadSelection();
    return result;
}

void CMirelPropertySheet::LoadSelection()
{
    LoadSelection(TakeStartSelection());
}

void CMirelPropertySheet::LoadSelection(const std::optional<std::vector<std::wstring>>& paths)
{
    m_dropWindow.ShowWindow(SW_HIDE);
    ::BringWindowToTop(MainWindow());
    m_items.RemoveAll();
    if (!paths)
        return;
    // Every path in one form from here on; what names no file (a device, a
    // pattern, a relative path) is no part of the selection.
    for (const std::wstring& path : *paths) {
        const std::optional<std::wstring> normalized = NormalizeSelectedPath(path);
        if (normalized && !m_items.Add(*normalized))
            break;
    }
    if (m_items.GetCount() == 0)
        return;

    // Like the shell's finder, this does not report a drive root (nor a
    // vanished path) as a folder: those go to the file page, which refuses
    // them. The path holds no wildcard, so the finder looks up this one name.
    const std::wstring first = m_items.GetAt(0);
    WIN32_FIND_DATAW found{};
    const fx::CFindHandle find(::FindFirstFileW(fx::ExtendedLengthPath(first).c_str(), &found));
    const bool isFolder = find && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (m_items.GetCount() == 1 && !isFolder)
        ShowFile(first);
    else
        OpenSearchDialog();
}

void CMirelPropertySheet::OpenSearchDialog()
{
    // A dialog left from an earlier selection (its Exit only hides it) goes.
    if (m_searchDlg.m_hWnd)
        m_searchDlg.DestroyWindow();
    m_searchDlg.SetSheet(this);
    if (!m_searchDlg.Create(m_hWnd))
        return;
    m_searchDlg.ShowWindow(SW_SHOWNORMAL);
    m_searchDlg.SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    m_searchDlg.CenterWindow();
    ::SetActiveWindow(m_searchDlg.m_hWnd);
    // At start-up the frame is shown (and activated) after this: the dialog
    // takes the keyboard back once it is.
    PostMessage(WM_ACTIVATE_SEARCH);
}

void CMirelPropertySheet::OnSearchStart(WPARAM mode, const wchar_t* filter)
{
    if (mode == 0) {
        m_folderPage.Stop();
        return;
    }
    // One walk at a time, by the one folder page.
    if (m_folderPage.IsWalking() || GetPageCount() != 1)
        return;
    m_strFilter = filter ? filter : L"";
    if (!AddPage(&m_folderPage))
        return;
    m_folderPage.PrepareWalk(m_items, m_strFilter, mode == 2);
    SetActivePage(1); // starts the walk
}

void CMirelPropertySheet::ShowFile(const std::wstring& path)
{
    m_filePage.SetPath(path);
    if (!AddPage(&m_filePage))
        return;
    SetActivePage(1);
    if (!m_filePage.LoadFileInfo())
        RemovePage(1);
}

void CMirelPropertySheet::OnDropFiles(HDROP drop)
{
    // A drop goes straight to the loader: the clipboard is the user's, and
    // what they copied stays there.
    const std::optional<std::vector<std::wstring>> paths = ReadDropList(drop);
    ::DragFinish(drop);
    // A walk under way ends (its search dialog with it) before its page goes.
    m_folderPage.Stop();
    StartOver(paths);
}

void CMirelPropertySheet::StartOver(const std::optional<std::vector<std::wstring>>& paths)
{
    if (GetPageCount() > 1)
        SetActivePage(1);
    for (int index = GetPageCount() - 1; index >= 1; --index)
        RemovePage(index);
    LoadSelection(paths);
}

void CMirelPropertySheet::OnMinimize()
{
    ::ShowWindow(MainWindow(), SW_HIDE);
    m_dropWindow.ShowWindow(SW_SHOW);
}

void CMirelPropertySheet::OnRestoreFromDropWindow(WPARAM dropped, LPARAM drop)
{
    ::ShowWindow(MainWindow(), SW_SHOW);
    ShowWindow(SW_SHOW);
    if (dropped)
        OnDropFiles(reinterpret_cast<HDROP>(drop));
}

bool CMirelPropertySheet::OnCommand(UINT id, UINT code)
{
    if (id == IDC_MINIMIZE_BUTTON && code == BN_CLICKED) {
        OnMinimize();
        return true;
    }
    return CPropertySheet::OnCommand(id, code);
}

LRESULT CMirelPropertySheet::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wp));
        return 0;
    case WM_DROPWND_RESTORE:
        OnRestoreFromDropWindow(wp, lp);
        return 0;
    case WM_SEARCH_START:
        OnSearchStart(wp, reinterpret_cast<const wchar_t*>(lp));
        return 0;
    case WM_SEARCH_DONE:
    case WM_SEARCH_PROGRESS:
        if (m_searchDlg.m_hWnd)
            ::SendMessageW(m_searchDlg.m_hWnd, msg, wp, lp);
        return 0;
    case WM_ACTIVATE_SEARCH:
        if (m_searchDlg.m_hWnd && m_searchDlg.IsWindowVisible())
            ::SetActiveWindow(m_searchDlg.m_hWnd);
        return 0;
    }
    return CPropertySheet::WindowProc(msg, wp, lp);
}

void CMirelPropertySheet::PostNcDestroy()
{
    CPropertySheet::PostNcDestroy();
    m_searchDlg.DestroyWindow();
    m_dropWindow.DestroyWindow();
    delete this;
}

} // namespace fennix
