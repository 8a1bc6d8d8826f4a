// Keys as a user presses them: each goes to the window with the focus and is routed as the programs'
// own loops route a real key press (see RouteMessages), never handed to a handler directly.
#pragma once
#include "tests/support/TestSupport.h"

#include <windows.h>

#include <string>

namespace testing_support {

class Keyboard {
public:
    void Press(WORD key);          // pressed and released; translation makes a character key's character
    void PressAlt(wchar_t letter); // a mnemonic
    void Type(const std::wstring& text);
    bool TabTo(HWND target); // false when a round of every tab stop never gets there
    // Whether a WM_QUIT came while keys were routed, and its exit code.
    bool Quit() const { return m_quit; }
    int ExitCode() const { return m_exitCode; }

private:
    void Post(UINT msg, WPARAM wp, LPARAM lp);

    bool m_quit = false;
    int m_exitCode = -1;
};

} // namespace testing_support
