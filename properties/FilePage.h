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

// What the file page shows of one selected item, read in one pass on a
// worker (a drive can take seconds to answer each call).
struct FileFacts {
    bool found = false;
    WIN32_FIND_DATAW entry{};
    // Read for a file alone: the shell's type name, the long and short forms.
    std::wstring type;
    std::wstring longPath;
    std::wstring shortPath;

    // Like the shell's finder, the look-up does not report a drive root (nor
    // a vanished path) as a folder: those go to the file page, which refuses
    // them.
    bool IsFolder() const { return found && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY); }
    // A device is no file: nothing the page offers could be written to it.
    bool IsFile() const { return found && !(entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)); }
};

// Reads the facts of path (as selected: extended-length for a name that ends
// in a dot or a space). Blocks as long as the drive does.
FileFacts ReadFileFacts(const std::wstring& path);
// For tests of what the user sees while a drive takes seconds to answer:
// delay is called on the reading thread before anything is read, with the
// path, and may block as long as it likes. Null: none.
using FileFactsDelay = void (*)(const std::wstring& path);
void SetFileFactsDelay(FileFactsDelay delay);

class CFilePage : public CClosingPage {
public:
    CFilePage();

    // Shows a file (facts.IsFile()) read by ReadFileFacts.
    void Load(const FileFacts& facts);
    // Writes what the user changed (boxes and time stamps) to the file.
    void ApplyChanges();
    // Puts the next stamp's date and time pickers, showing it, in the places
    // the page keeps for them; false when all are there (or the page has no
    // window). Each picker makes a calendar popup, a window of its own on the
    // display: the six take as long to make as the rest of the page, and the
    // sheet has them made once the page is on the screen and painted.
    bool MakeNextStampPickers();

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
    void MakePicker(int controlId, DWORD format, HFONT font);
    void EnableApply(bool enable);
    // Has a worker fetch the file's icon from the shell, once per Load.
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
    int m_stampsWithPickers = 0;  // in the page's current window
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
