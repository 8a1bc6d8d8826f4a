// The page for one selected file: its paths, type, icon, size, the three time
// stamps and four attributes, which the user can change and write back.
#pragma once
#include "controls/IconButton.h"
#include "framework/Controls.h"
#include "framework/Handle.h"
#include "properties/ClosingPage.h"
#include "properties/FileStamps.h"
#include "properties/ShellIcon.h"

#include <string>

namespace fennix {

class CFilePage : public CClosingPage {
public:
    CFilePage();

    // The item to show, as selected (extended-length for a name that ends in
    // a dot or a space); LoadFileInfo replaces it with its long form.
    void SetPath(const std::wstring& path) { m_path = path; }
    // Reads the file into the page; false when the file is not found.
    bool LoadFileInfo();
    // Writes what the user changed (boxes and time stamps) to the file.
    void ApplyChanges();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fx::CDataExchange& dx) override;
    void OnOK() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(UINT id, UINT code) override;

private:
    // The three stamps, in the order SetFileTime takes them.
    enum Stamp { Created, Accessed, Written, StampCount };
    struct StampPickers {
        SYSTEMTIME date{};
        SYSTEMTIME time{};
        bool changed = false;
    };
    static int StampOfPicker(int controlId);
    void EnableApply(bool enable);
    // Has a worker fetch the file's icon from the shell, once per LoadFileInfo.
    void FetchShellIcon();
    void ShowIcon(fx::CIconHandle icon);
    AttributeChoice ChosenAttributes() const;
    // Each reports its own failure to the user and returns false.
    bool WriteAttributes();
    bool WriteTimes();

    CIconButton m_doneButton;
    CIconButton m_cancelButton;
    CIconButton m_applyButton;
    fx::CStatic m_iconControl;
    fx::CIconHandle m_icon;
    bool m_bIconPending = false; // fetched once the page has a window
    CShellIconFetch m_iconFetch;

    std::wstring m_path;    // the exact item, which every read and write names
    std::wstring m_strPath; // the same without an extended-length prefix
    std::wstring m_strTitle;
    std::wstring m_strType;
    std::wstring m_strShortPath;
    std::wstring m_strSize;
    StampPickers m_stamps[StampCount];
    int m_bArchive = 0;
    int m_bReadOnly = 0;
    int m_bSystem = 0;
    int m_bHidden = 0;
    int m_bTimeChanged = 0;
    // The boxes as the page last read or wrote them: a box the user has not
    // changed since is never written.
    AttributeChoice m_shownAttributes;
};

} // namespace fennix
