#include "properties/FolderSearchDlg.h"

#include "common/SelectedPath.h"
#include "controls/ButtonLooks.h"
#include "framework/Dpi.h"
#include "framework/Format.h"
#include "outside/pallavol/DiskInfo.h"
#include "properties/FilterRule.h"
#include "properties/Messages.h"
#include "properties/MirelPropertySheet.h"
#include "properties/ShellIcon.h"
#include "properties/res/resource.h"

#include <commctrl.h>

namespace fennix {

CFolderSearchDlg::CFolderSearchDlg() : CDialog(IDD_FOLDER_SEARCH)
{
}

void CFolderSearchDlg::DoDataExchange(fx::CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    fx::DDX_Control(dx, IDOK, m_goButton);
    fx::DDX_Control(dx, IDCANCEL, m_exitButton);
    fx::DDX_Control(dx, IDC_SEARCH_ICON, m_iconControl);
    fx::DDX_Text(dx, IDC_SEARCH_PATH, m_strPath);
    fx::DDX_Text(dx, IDC_SEARCH_FILTER, m_strFilter);
    fx::DDX_Check(dx, IDC_SEARCH_SUBFOLDERS, m_bIncludeSubFolders);
}

BOOL CFolderSearchDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetGoOnLook(m_goButton, IDI_DONE_HOT, IDI_DONE);
    SetLeaveLook(m_exitButton, IDI_CANCEL_HOT, IDI_CANCEL);
    m_goButton.EnableWindow(true);

    ::SendDlgItemMessageW(m_hWnd, IDC_SEARCH_ANIMATION, ACM_OPENW,
                          reinterpret_cast<WPARAM>(::GetModuleHandleW(nullptr)),
                          reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(IDR_SEARCH_ANIMATION)));

    const CPathList& items = m_pSheet->Items();
    m_strPath = items.GetCount() > 0 ? PathRoot(items.GetAt(0)) : std::wstring();
    if (items.GetCount() == 1) // the drive's own icon, from a worker: the drive may be slow
        m_iconFetch.Start(m_strPath, m_hWnd, WM_SHELL_ICON);
    else // as large as the shell's icon of a single item at the window's DPI
        ShowIcon(fx::LoadIconForDpi(IDI_MULTIPLE_FILES, 32, 32, fx::WindowDpi(m_hWnd)));
    UpdateData(false);
    return TRUE;
}

void CFolderSearchDlg::ShowIcon(fx::CIconHandle icon)
{
    // The control lets go of the old icon before it is released.
    m_iconControl.SetIcon(icon.Get());
    m_icon = std::move(icon);
}

void CFolderSearchDlg::OnFilterChanged()
{
    // The filter alone: the other values are read when Go is pressed (the
    // first change comes while they are being shown, before they are set).
    m_strFilter = fx::WindowText(GetDlgItem(IDC_SEARCH_FILTER));
    m_goButton.EnableWindow(IsAcceptableFilter(m_strFilter));
}

void CFolderSearchDlg::OnOK()
{
    // Enter reaches here even while Go is disabled.
    if (!::IsWindowEnabled(m_goButton.m_hWnd))
        return;
    UpdateData(true);
    ::SendDlgItemMessageW(m_hWnd, IDC_SEARCH_ANIMATION, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 0xFFFF));
    m_goButton.EnableWindow(false);
    // The walk runs inside this call; when it returns, the dialog has closed
    // itself (its window is gone, the object lives on with the sheet).
    const std::wstring filter = m_strFilter;
    SendToSheet(m_bIncludeSubFolders ? 2 : 1, reinterpret_cast<LPARAM>(filter.c_str()));
}

void CFolderSearchDlg::OnCancel()
{
    StopAnimation();
    fx::CWindowGuard guard(*this);
    // A walk under way ends at once, and its end closes this dialog.
    SendToSheet(0, 0);
    if (guard.IsAlive())
        EndDialog(0);
}

void CFolderSearchDlg::OnSearchDone()
{
    StopAnimation();
    SendToSheet(0, 0);
    DestroyWindow();
}

void CFolderSearchDlg::ShowProgress(const FolderTotals& soFar) const
{
    const std::wstring text = fx::Format(L"Counted: %llu Folders, %llu Files, ",
                                         static_cast<unsigned long long>(soFar.folders),
                                         static_cast<unsigned long long>(soFar.files)) +
                              CDiskInfo().GetUnitSize(soFar.bytes);
    ::SetDlgItemTextW(m_hWnd, IDC_SEARCH_PROGRESS, text.c_str());
}

void CFolderSearchDlg::StopAnimation() const
{
    ::SendDlgItemMessageW(m_hWnd, IDC_SEARCH_ANIMATION, ACM_STOP, 0, 0);
}

void CFolderSearchDlg::SendToSheet(WPARAM mode, LPARAM filter) const
{
    if (m_pSheet && m_pSheet->m_hWnd)
        ::SendMessageW(m_pSheet->m_hWnd, WM_SEARCH_START, mode, filter);
}

bool CFolderSearchDlg::OnCommand(UINT id, UINT code)
{
    if (id == IDC_SEARCH_FILTER && code == EN_CHANGE) {
        OnFilterChanged();
        return true;
    }
    return CDialog::OnCommand(id, code);
}

LRESULT CFolderSearchDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SEARCH_DONE:
        if (wp == 0)
            OnSearchDone();
        return 0;
    case WM_SHELL_ICON:
        if (fx::CIconHandle icon = m_iconFetch.Take(wp))
            ShowIcon(std::move(icon));
        return 0;
    case WM_SEARCH_PROGRESS:
        if (lp)
            ShowProgress(*reinterpret_cast<const FolderTotals*>(lp));
        return 0;
    }
    return CDialog::WindowProc(msg, wp, lp);
}

} // namespace fennix
