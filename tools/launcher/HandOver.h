// The selection on the clipboard for the program to take, and what the
// clipboard held before it, given back once the program has taken it.
#pragma once
#include "tools/launcher/ClipboardContents.h"

#include <windows.h>

#include <string>
#include <vector>

namespace launcher {

class CHandOver {
public:
    // Another program may hold the clipboard open for a moment: it is tried
    // again for this long.
    static constexpr DWORD kClipboardRetryMs = 5000;
    // How long the program has to take the list before the clipboard is
    // given back all the same.
    static constexpr DWORD kTakeMs = 30000;

    CHandOver();
    ~CHandOver();
    CHandOver(const CHandOver&) = delete;
    CHandOver& operator=(const CHandOver&) = delete;

    // Keeps what the clipboard holds and puts the list there instead; false
    // when the clipboard stayed held by another program.
    bool Put(const std::vector<std::wstring>& paths);
    // Waits until the program has taken the list (the clipboard changed), has
    // ended, or had its time; this thread's messages are answered meanwhile.
    void WaitForProgram(HANDLE process) const;
    // Puts back what the clipboard held, unless it holds something newer than
    // the list: a program that took the list emptied it; a list nobody took
    // is still ours. Anything else is what the user copied meanwhile. False
    // when what it held could not all be put back.
    bool GiveBack();

private:
    HWND m_owner;
    CClipboardContents m_saved;
    DWORD m_sequence = 0;
    bool m_put = false;
};

} // namespace launcher
