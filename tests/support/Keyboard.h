// Keys as a user presses them: each goes to the window with the focus and
// is routed as the programs' own message loops route a real key press (see
// RouteMessages), never handed to a handler directly.
#pragma once
#include "tests/support/TestSupport.h"

#include <windows.h>

#include <string>

namespace testing_support {

class Keyboard {
public:
    // A key pressed and released (Tab, Enter, Escape, Space, the arrows);
    // translation makes the character of a character key.
    void Press(WORD key);
    // Alt held while a letter is pressed: a mnemonic.
    void PressAlt(wchar_t letter);
    // Characters typed into the window with the focus.
    void Type(const std::wstring& text);
    // Presses Tab until the focus is on target; false when a round of every
    // tab stop of the window never gets there.
    bool TabTo(HWND target);

    // Whether a WM_QUIT came while keys were routed, and its exit code.
    bool Quit() const { return m_quit; }
    int ExitCode() const { return m_exitCode; }

private:
    void Post(UINT msg, WPARAM wp, LPARAM lp);

    bool m_quit = false;
    int m_exitCode = -1;
};

} // namespace testing_support
