#include "properties/FolderPage.h"

#include "common/SelectedPath.h"
#include "controls/ButtonLooks.h"
#include "framework/Dpi.h"
#include "framework/Format.h"
#include "framework/LongPath.h"
#include "framework/Resources.h"
#include "outside/pallavol/DiskInfo.h"
#include "properties/Messages.h"
#include "properties/ShellIcon.h"
#include "properties/res/resource.h"

namespace fennix {

namespace {

const wchar_t kPieButtonTip[] = L"View Pie Chart";

// The search dialog's count of the walk so far is refreshed this often.
const UINT_PTR kProgressTimer = 1;
const UINT kProgressIntervalMs = 250;

} // namespace

CFolderPage::CFolderPage() : CClosingPage(IDD_FOLDER_PAGE)
{
}

void CFolderPage::PrepareWalk(const CPathList& items, const std::wstring& filter, bool includeSubFolders)
{
    m_items = items;
    m_strFilter = filter;
    m_bIncludeSubFolders = includeSubFolders;
    m_bRefresh = true;
}

fx::CPropertySheet* CFolderPage::Sheet() const
{
    return dynamic_cast<fx::CPropertySheet*>(fx::CWnd::FromHandlePermanent(GetParent()));
}

void CFolderPage::DoDataExchange(fx::CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    fx::DDX_Control(dx, IDC_PIE_BUTTON, m_pieButton);
    fx::DDX_Control(dx, IDC_FOLDER_ICON, m_iconControl);
    fx::DDX_Control(dx, IDOK, m_doneButton);
    fx::DDX_Control(dx, IDCANCEL, m_exitButton);
    fx::DDX_Control(dx, IDC_FILE_TYPES, m_fileTypes);
    fx::DDX_Control(dx, IDC_SELECTED_ITEMS, m_selectedItems);
    fx::DDX_Text(dx, IDC_FOLDER_SHORT_PATH, m_strShortPath);
    fx::DDX_Text(dx, IDC_FOLDER_PATH, m_strPath);
    fx::DDX_Text(dx, IDC_FOLDER_HEADING, m_strHeading);
    fx::DDX_Text(dx, IDC_FOLDER_SUMMARY, m_strSummary);
    fx::DDX_Text(dx, IDC_TYPE_SIZE, m_strTypeSize);
    fx::DDX_Text(dx, IDC_TYPE_FILES, m_strTypeCount);
    fx::DDX_Text(dx, IDC_SELECTED_SIZE, m_strSelectedSize);
}

BOOL CFolderPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetGoOnLook(m_doneButton, IDI_DONE_HOT, IDI_DONE);
    SetLeaveLook(m_exitButton, IDI_CANCEL_HOT, IDI_CANCEL);
    m_pieButton.SetIcons(IDI_PIE_HOT, IDI_PIE, 16, 16);

    // The page's window is made anew each time the page comes back.
    if (m_toolTip.IsWindow())
        m_toolTip.DestroyWindow();
    if (m_toolTip.Create(m_hWnd)) {
        m_toolTip.Activate(true);
        m_toolTip.AddTool(m_pieButton.m_hWnd, kPieButtonTip);
    }
    return TRUE;
}

BOOL CFolderPage::OnSetActive()
{
    if (m_bRefresh) {
        m_bRefresh = false;
        StartWalk();
    } else {
        // Back from the pie page, which goes: it is made anew from the figures
        // of the moment. Not from inside this activation, though: the sheet is
        // still switching pages (and may be removing that very page).
        PostMessage(WM_REMOVE_PIE_PAGE);
    }
    return CPropertyPage::OnSetActive();
}

BOOL CFolderPage::OnKillActive()
{
    // The page stays in front until it has its figures.
    return !m_bWalking && CPropertyPage::OnKillActive();
}

void CFolderPage::StartWalk()
{
    // Nothing of an earlier selection is shown while this one is counted.
    m_strPath.clear();
    m_strShortPath.clear();
    m_strHeading.clear();
    m_strSummary.clear();
    m_strTypeCount.clear();
    m_strTypeSize.clear();
    m_strSelectedSize.clear();
    UpdateData(false);
    m_bWalking = true;
    m_walk.Start(m_items, m_strFilter, m_bIncludeSubFolders, m_hWnd, WM_WALK_DONE);
    SetTimer(kProgressTimer, kProgressIntervalMs, [this] { ReportProgress(); });
}

void CFolderPage::Stop()
{
    if (!m_bWalking)
        return;
    m_walk.Abandon();
    FinishWalk();
}

void CFolderPage::ReportProgress()
{
    const FolderTotals soFar = m_walk.Totals();
    ::SendMessageW(GetParent(), WM_SEARCH_PROGRESS, 0, reinterpret_cast<LPARAM>(&soFar));
}

void CFolderPage::FinishWalk()
{
    KillTimer(kProgressTimer);
    m_bWalking = false;
    fx::CWindowGuard guard(*this);
    UpdateFolderInfo(m_walk.Figures());
    // The search dialog closes; the page shows what was counted.
    ::SendMessageW(GetParent(), WM_SEARCH_DONE, 0, 0);
    if (!guard.IsAlive())
        return;
    ShowSelectionIcon();
    FillTypeBox();
    FillItemList();
    UpdateTypeInfo();
    ::ShowWindow(::GetAncestor(m_hWnd, GA_ROOT), SW_SHOW);
}

void CFolderPage::UpdateFolderInfo(const SelectionScan& scan)
{
    m_stats = scan.stats;
    m_itemSizes = scan.itemSizes;
    const FolderTotals totals = m_stats.Totals();
    m_strPath = fx::WithoutExtendedPrefix(scan.folderPath);
    m_strSummary = fx::Format(L"%llu Folders,%llu Files, Total Size=  ", static_cast<unsigned long long>(totals.folders),
                              static_cast<unsigned long long>(totals.files)) +
                   CDiskInfo().GetUnitSize(totals.bytes);
    m_strShortPath = fx::WithoutExtendedPrefix(scan.folderShortPath);
}

void CFolderPage::ShowSelectionIcon()
{
    fx::CIconHandle icon; // none until the worker brings the shell's
    if (m_items.GetCount() == 1) {
        m_iconFetch.Start(m_items.GetAt(0), m_hWnd, WM_SHELL_ICON);
        m_strPath = fx::WithoutExtendedPrefix(m_items.GetAt(0));
        m_strHeading.clear();
    } else {
        // As large as the shell's icon of a single item at the window's DPI.
        icon = fx::LoadIconForDpi(IDI_MULTIPLE_FILES, 32, 32, fx::WindowDpi(m_hWnd));
        m_strHeading = L"Multiple Files";
    }
    ShowIcon(std::move(icon));
}

void CFolderPage::ShowIcon(fx::CIconHandle icon)
{
    // The control lets go of the old icon before it is released.
    m_iconControl.SetIcon(icon.Get());
    m_icon = std::move(icon);
}

void CFolderPage::FillTypeBox()
{
    m_fileTypes.SendMessage(CB_RESETCONTENT);
    for (size_t row = 0; row < m_stats.TypeCount(); ++row) {
        const std::wstring name(m_stats.TypeName(row));
        m_fileTypes.SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    m_fileTypes.SendMessage(CB_SETCURSEL, 0);
}

void CFolderPage::FillItemList()
{
    // A selection may hold thousands of items: the list is drawn once when
    // it is full, its room is made in one go and every row is marked by one
    // message.
    const int count = m_items.GetCount();
    std::vector<std::wstring> texts;
    texts.reserve(static_cast<size_t>(count));
    size_t characters = 0;
    for (int index = 0; index < count; ++index) {
        texts.push_back(ItemName(m_items.GetAt(index)));
        characters += texts.back().size() + 1;
    }
    m_selectedItems.SendMessage(WM_SETREDRAW, FALSE);
    m_selectedItems.SendMessage(LB_RESETCONTENT);
    m_selectedItems.SendMessage(LB_INITSTORAGE, texts.size(), characters * sizeof(wchar_t));
    for (const std::wstring& text : texts)
        m_selectedItems.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (count > 0)
        m_selectedItems.SendMessage(LB_SELITEMRANGEEX, 0, count - 1);
    m_selectedItems.SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(m_selectedItems.m_hWnd, nullptr, TRUE);
    UpdateSelectedSize();
}

void CFolderPage::UpdateTypeInfo()
{
    const LRESULT row = m_fileTypes.SendMessage(CB_GETCURSEL);
    const TypeFigures figures = row >= 0 && static_cast<size_t>(row) < m_stats.TypeCount()
                                    ? m_stats.Figures(static_cast<size_t>(row))
                                    : TypeFigures{};
    m_strTypeCount = fx::Format(L"%llu", static_cast<unsigned long long>(figures.files));
    m_strTypeSize = CDiskInfo().GetUnitSize(figures.bytes);
    UpdateData(false);
}

void CFolderPage::UpdateSelectedSize()
{
    m_selectedSize = 0;
    const LRESULT count = m_selectedItems.SendMessage(LB_GETSELCOUNT);
    if (count > 0) {
        std::vector<int> rows(static_cast<size_t>(count));
        const LRESULT read =
            m_selectedItems.SendMessage(LB_GETSELITEMS, rows.size(), reinterpret_cast<LPARAM>(rows.data()));
        for (LRESULT i = 0; i < read; ++i) {
            const size_t row = static_cast<size_t>(rows[static_cast<size_t>(i)]);
            if (row < m_itemSizes.size())
                m_selectedSize += m_itemSizes[row];
        }
        m_strSelectedSize = CDiskInfo().GetUnitSize(m_selectedSize) +
                            fx::Format(L" (%llu bytes)", static_cast<unsigned long long>(m_selectedSize));
    } else {
        m_strSelectedSize = L"No Items Selected";
    }
    UpdateData(false);
}

void CFolderPage::ShowPieChart()
{
    fx::CPropertySheet* sheet = Sheet();
    if (!sheet || !m_pPiePage || m_items.GetCount() == 0 || m_bWalking)
        return;
    // Never two pie pages: the one there is goes, the new one charts now.
    if (sheet->GetPageCount() > 2)
        sheet->RemovePage(2);
    m_pPiePage->SetSelectedSize(m_selectedSize);
    m_pPiePage->SetFolderTotal(m_stats.Totals().bytes);
    m_pPiePage->SetDrivePath(PathRoot(m_items.GetAt(0)));
    if (sheet->AddPage(m_pPiePage))
        sheet->SetActivePage(2);
}

void CFolderPage::RemovePiePage()
{
    fx::CPropertySheet* sheet = Sheet();
    if (sheet && sheet->GetPageCount() > 2 && sheet->GetActiveIndex() != 2)
        sheet->RemovePage(2);
}

LRESULT CFolderPage::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_REMOVE_PIE_PAGE:
        RemovePiePage();
        return 0;
    case WM_SHELL_ICON:
        if (fx::CIconHandle icon = m_iconFetch.Take(wp))
            ShowIcon(std::move(icon));
        return 0;
    case WM_WALK_DONE:
        // An abandoned walk's end is old news.
        if (m_bWalking && wp == m_walk.Id())
            FinishWalk();
        return 0;
    }
    return CPropertyPage::WindowProc(msg, wp, lp);
}

bool CFolderPage::OnCommand(UINT id, UINT code)
{
    if (id == IDC_FILE_TYPES && (code == CBN_SELENDOK || code == CBN_SELCHANGE)) {
        UpdateTypeInfo();
        return true;
    }
    if (id == IDC_SELECTED_ITEMS && code == LBN_SELCHANGE) {
        UpdateSelectedSize();
        return true;
    }
    if (id == IDC_PIE_BUTTON && code == BN_CLICKED) {
        ShowPieChart();
        return true;
    }
    return CPropertyPage::OnCommand(id, code);
}

} // namespace fennix
