// The keyboard cues a control that draws itself shows: the dotted focus
// rectangle and the underlined mnemonic. A window may hide them (Windows does
// until the keyboard is first used; Wine keeps no such state and shows them).
#pragma once
#include <windows.h>

inline bool HidesFocusCue(HWND hwnd)
{
    return (::SendMessageW(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
}

inline bool HidesMnemonicCue(HWND hwnd)
{
    return (::SendMessageW(hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) != 0;
}

// The focus rectangle in its usual dots, whatever colours the DC holds.
inline void DrawFocusCue(HDC dc, const RECT& rect)
{
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    ::DrawFocusRect(dc, &rect);
}
