// The small dialog that comes first for a folder or several items: the user
// types the file types to count and chooses whether subfolders are walked;
// Go has the sheet walk the selection, with an animation playing until the
// walk ends and the dialog closes itself, counting up the folders, files and
// bytes met so far meanwhile. Exit stops the walk.
#pragma once
#include "controls/IconButton.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Handle.h"
#include "common/FolderWalker.h"
#include "properties/ShellIcon.h"

#include <string>

namespace fennix {

class CMirelPropertySheet;

class CFolderSearchDlg : public fx::CDialog {
public:
    CFolderSearchDlg();

    // The sheet that walks the selection; set before the window is created.
    void SetSheet(CMirelPropertySheet* sheet) { m_pSheet = sheet; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fx::CDataExchange& dx) override;
    void OnOK() override;     // Go
    void OnCancel() override; // Exit
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(UINT id, UINT code) override;

private:
    void ShowIcon(fx::CIconHandle icon);
    void OnFilterChanged();
    void OnSearchDone();
    void ShowProgress(const FolderTotals& soFar) const;
    void StopAnimation() const;
    void SendToSheet(WPARAM mode, LPARAM filter) const;

    CMirelPropertySheet* m_pSheet = nullptr;
    CIconButton m_goButton;
    CIconButton m_exitButton;
    fx::CStatic m_iconControl;
    fx::CIconHandle m_icon;
    CShellIconFetch m_iconFetch;

    int m_bIncludeSubFolders = 1;
    std::wstring m_strPath;
    std::wstring m_strFilter;
};

} // namespace fennix
