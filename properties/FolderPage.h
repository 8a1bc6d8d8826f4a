// The page for a folder or several items: it walks the selection when it
// becomes active after a search was started, and shows the counts and sizes
// in total, per file type, and of the items the user marks in its list.
// The walk runs on a worker; while it runs the page stays in front (a tab
// click or View Pie Chart waits for the figures) and the search dialog is
// told how far it has come a few times a second.
#pragma once
#include "controls/FlatComboBox.h"
#include "controls/IconButton.h"
#include "controls/PathList.h"
#include "framework/Controls.h"
#include "framework/Handle.h"
#include "properties/ClosingPage.h"
#include "properties/FileTypeStats.h"
#include "properties/PiePage.h"
#include "properties/SelectionScan.h"
#include "properties/SelectionWalk.h"
#include "properties/ShellIcon.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fennix {

class CFolderPage : public CClosingPage {
public:
    CFolderPage();

    // The page "View Pie Chart" adds to the sheet with this page's figures.
    void SetPiePage(CPiePage* piePage) { m_pPiePage = piePage; }
    // The next activation walks these items with this filter.
    void PrepareWalk(const CPathList& items, const std::wstring& filter, bool includeSubFolders);
    // Ends a running walk now, without waiting for the worker, and shows the
    // figures counted so far.
    void Stop();
    bool IsWalking() const { return m_bWalking; }

    uint64_t SelectedSize() const { return m_selectedSize; }
    const fx::CToolTipCtrl& ToolTip() const { return m_toolTip; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    void DoDataExchange(fx::CDataExchange& dx) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(UINT id, UINT code) override;

private:
    void StartWalk();
    void ReportProgress();
    // Shows the walk's figures (all of them, or those so far) and tells the
    // search dialog that the walk is over.
    void FinishWalk();
    void UpdateFolderInfo(const SelectionScan& scan);
    void ShowSelectionIcon();
    void ShowIcon(fx::CIconHandle icon);
    void FillTypeBox();
    void FillItemList();
    void UpdateTypeInfo();
    void UpdateSelectedSize();
    void ShowPieChart();
    void RemovePiePage();
    fx::CPropertySheet* Sheet() const;

    CPiePage* m_pPiePage = nullptr;
    CIconButton m_pieButton;
    CIconButton m_doneButton;
    CIconButton m_exitButton;
    fx::CStatic m_iconControl;
    fx::CIconHandle m_icon;
    CShellIconFetch m_iconFetch;
    CFlatComboBox m_fileTypes;
    fx::CListBox m_selectedItems;
    fx::CToolTipCtrl m_toolTip;

    std::wstring m_strShortPath;
    std::wstring m_strPath;
    std::wstring m_strHeading;
    std::wstring m_strSummary;
    std::wstring m_strTypeSize;
    std::wstring m_strTypeCount;
    std::wstring m_strSelectedSize;

    CSelectionWalk m_walk;
    CFileTypeStats m_stats;
    CPathList m_items;
    std::wstring m_strFilter;
    std::vector<uint64_t> m_itemSizes; // by index in m_items
    uint64_t m_selectedSize = 0;

    bool m_bRefresh = false;
    bool m_bIncludeSubFolders = true;
    bool m_bWalking = false;
};

} // namespace fennix
