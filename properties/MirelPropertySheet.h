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
#include "properties/PiePage.h"

#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

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
    CPiePage& PiePage() { return m_piePage; }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void PostNcDestroy() override;

private:
    void OnDropFiles(HDROP drop);
    void OnMinimize();
    void OnRestoreFromDropWindow(WPARAM dropped, LPARAM drop);
    HWND MainWindow() const;
    void ShowFile(const std::wstring& path);

    CFilePage m_filePage;
    CAboutPage m_aboutPage;
    CPathList m_items;
    CIconButton m_minimizeButton;
    fx::CToolTipCtrl m_toolTip;
    CDropWindow m_dropWindow;
    CPiePage m_piePage;
};
