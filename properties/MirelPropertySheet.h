// Fennix's property sheet: a borderless child of the frame that owns every
// page, the selection (m_items) and the drop window, and routes the private
// messages between them.
#pragma once
#include "controls/AboutPage.h"
#include "controls/IconButton.h"
#include "controls/PathList.h"
#include "framework/Controls.h"
#include "framework/PropertySheet.h"
#include "properties/DropWindow.h"
#include "properties/FilePage.h"
#include "properties/FolderPage.h"
#include "properties/FolderSearchDlg.h"
#include "properties/PiePage.h"
#include "properties/WorkerFetch.h"

#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

namespace fennix {

class CMirelPropertySheet : public fx::CPropertySheet {
public:
    explicit CMirelPropertySheet(HWND frame);

    // Takes the selection off the clipboard (emptying it) and shows the pages
    // that fit it.
    void LoadSelection();
    // Shows the pages that fit a selection; no value (no list, or none that
    // could be read) keeps the pages there are.
    void LoadSelection(const std::optional<std::vector<std::wstring>>& paths);

    CIconButton& MinimizeButton() { return m_minimizeButton; }
    fx::CToolTipCtrl& ToolTip() { return m_toolTip; }
    CDropWindow& DropWindow() { return m_dropWindow; }
    const CPathList& Items() const { return m_items; }
    CFilePage& FilePage() { return m_filePage; }
    CFolderPage& FolderPage() { return m_folderPage; }
    CFolderSearchDlg& SearchDialog() { return m_searchDlg; }
    CPiePage& PiePage() { return m_piePage; }
    // The first item of a selection is still being looked up on its drive.
    bool IsLookingUp() const { return m_firstItem.IsPending(); }
    // Shows the frame; once it is painted, the windows its first sight does
    // not need follow.
    void ShowMainWindow();
    bool IsMakingLateWindows() const { return m_bMakingLateWindows; }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(UINT id, UINT code) override;
    void PostNcDestroy() override;

private:
    void OnDropFiles(HDROP drop);
    void OnMinimize();
    void OnRestoreFromDropWindow(WPARAM dropped, LPARAM drop);
    HWND MainWindow() const;
    // Drops the pages but About and shows the pages that fit the selection.
    void StartOver(const std::optional<std::vector<std::wstring>>& paths);
    void OnFirstItem(WPARAM id);
    void ShowFile(const FileFacts& facts);
    // Popups (the drop window, the tooltip, the pickers' calendars) are each
    // a window of their own on the display, slow to make: they come after
    // the frame's first paint, not before it. Makes the next; false when
    // none is left.
    bool MakeLateWindow();
    void MakeDropWindow();
    void OpenSearchDialog();
    void OnSearchStart(WPARAM mode, const wchar_t* filter);

    CFilePage m_filePage;
    CFolderPage m_folderPage;
    CPiePage m_piePage;
    CAboutPage m_aboutPage;
    CPathList m_items;
    std::wstring m_strFilter;
    CIconButton m_minimizeButton;
    CFolderSearchDlg m_searchDlg;
    fx::CToolTipCtrl m_toolTip;
    CDropWindow m_dropWindow;
    CWorkerFetch<FileFacts> m_firstItem;
    bool m_bMakingLateWindows = false;
    bool m_bDropWindowTried = false;
    bool m_bToolTipTried = false;
};

} // namespace fennix
