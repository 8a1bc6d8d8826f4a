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

namespace {
const UINT_PTR kShowFrameTimer = 1;
const UINT_PTR kLateWindowsTimer = 2;
// Long enough for a look-up on a drive that answers at once (no page flashes
// by), short enough to read as the program answering.
const UINT kShowFrameWithoutAnswerMs = 200;
} // namespace

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
    m_firstItem.Cancel(); // the last selection wins
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
    if (m_items.GetCount() > 1) {
        OpenSearchDialog();
        return;
    }
    // Whether the one item is a folder, and a file's figures, come from its
    // drive, which may take seconds per call: a worker reads them while the
    // window keeps answering. A quick answer arrives before the frame shows,
    // which then shows the page straight away; a slow one finds the frame
    // shown after a moment, with the busy cursor, so that it can be closed.
    const std::wstring first = m_items.GetAt(0);
    m_firstItem.Start([first] { return ReadFileFacts(first); }, m_hWnd, WM_FIRST_ITEM);
    SetTimer(kShowFrameTimer, kShowFrameWithoutAnswerMs, [this] {
        KillTimer(kShowFrameTimer);
        ShowMainWindow();
    });
}

void CMirelPropertySheet::OnFirstItem(WPARAM id)
{
    const std::optional<FileFacts> facts = m_firstItem.Take(id);
    if (!facts)
        return; // the answer for a selection since replaced
    KillTimer(kShowFrameTimer);
    if (facts->IsFolder())
        OpenSearchDialog();
    else if (facts->IsFile())
        ShowFile(*facts);
    ShowMainWindow();
}

void CMirelPropertySheet::ShowMainWindow()
{
    const HWND main = MainWindow();
    if (!::IsWindowVisible(main))
        ::ShowWindow(main, SW_SHOW);
    // A timer comes only when nothing is left to paint: the frame is drawn
    // first. Then one window a tick, so that the frame answers in between.
    m_bMakingLateWindows = SetTimer(kLateWindowsTimer, USER_TIMER_MINIMUM, [this] {
        if (!MakeLateWindow()) {
            KillTimer(kLateWindowsTimer);
            m_bMakingLateWindows = false;
        }
    });
    if (!m_bMakingLateWindows) // no timer to be had: all at once, then
        while (MakeLateWindow()) {
        }
}

bool CMirelPropertySheet::MakeLateWindow()
{
    if (!m_bDropWindowTried) {
        MakeDropWindow();
        return true;
    }
    if (!m_bToolTipTried) {
        m_bToolTipTried = true;
        if (m_toolTip.Create(m_hWnd)) {
            m_toolTip.Activate(true);
            m_toolTip.AddTool(m_minimizeButton.m_hWnd, L"Minimize to Drop Window");
        }
        return true;
    }
    return m_filePage.MakeNextStampPickers();
}

void CMirelPropertySheet::MakeDropWindow()
{
    // Once made, it is only shown and hidden until the sheet goes.
    m_bDropWindowTried = true;
    if (!m_dropWindow.m_hWnd && m_dropWindow.Create(m_hWnd))
        m_dropWindow.SetSheet(this);
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

void CMirelPropertySheet::ShowFile(const FileFacts& facts)
{
    m_filePage.Load(facts);
    if (AddPage(&m_filePage))
        SetActivePage(1);
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
    MakeDropWindow(); // the user can be quicker than its tick
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
    case WM_FIRST_ITEM:
        OnFirstItem(wp);
        return 0;
    case WM_SETCURSOR:
        if (m_firstItem.IsPending()) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_APPSTARTING));
            return TRUE;
        }
        break;
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
