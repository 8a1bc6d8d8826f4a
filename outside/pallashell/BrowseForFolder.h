// Pallashell: the shell's folder picker.
#pragma once
#include <windows.h>

#include <string>

class CBrowseForFolder {
public:
    CBrowseForFolder(HWND owner, std::wstring title);
    virtual ~CBrowseForFolder() = default;

    // BIF_* flags; the programs pass BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT.
    void SetFlags(UINT flags) { m_flags = flags; }
    // The folder shown selected when the picker opens; the last call counts.
    void SetInitialSelection(const std::wstring& folder) { m_initial = folder; }
    // Runs the picker; true when the user chose a file-system folder, whose
    // full path GetSelectedFolder() then gives (empty after a false result).
    bool SelectFolder();
    const std::wstring& GetSelectedFolder() const { return m_selected; }

protected:
    // Called when the picker's window is ready (BFFM_INITIALIZED).
    virtual void OnInitialized(HWND picker);

private:
    static int CALLBACK Callback(HWND hwnd, UINT msg, LPARAM lp, LPARAM data);
    HWND m_owner;
    std::wstring m_title;
    UINT m_flags = 0;
    std::wstring m_initial;
    std::wstring m_selected;
};

// The destination picker of the send dialog.
class CSBDestination : public CBrowseForFolder {
public:
    CSBDestination(HWND owner, const std::wstring& title) : CBrowseForFolder(owner, title) {}
    // The title from the program's string table.
    CSBDestination(HWND owner, int titleId);
};
