#include "tests/support/Keyboard.h"

#include <cwctype>

namespace testing_support {

namespace {
// The key's data as the system posts it: one repeat, the scan code, Alt held (the context bit),
// released (the previous-state and transition bits).
LPARAM KeyData(WORD key, bool released, bool alt)
{
    LPARAM data = 1 | static_cast<LPARAM>((::MapVirtualKeyW(key, MAPVK_VK_TO_VSC) & 0xFF) << 16);
    if (alt)
        data |= LPARAM{1} << 29;
    if (released)
        data |= LPARAM{3} << 30;
    return data;
}
} // namespace

void Keyboard::Post(UINT msg, WPARAM wp, LPARAM lp)
{
    HWND target = ::GetFocus();
    ::PostMessageW(target ? target : ::GetActiveWindow(), msg, wp, lp);
    if (int exitCode = 0; RouteMessages(&exitCode)) {
        m_quit = true;
        m_exitCode = exitCode;
    }
}

void Keyboard::Press(WORD key)
{
    Post(WM_KEYDOWN, key, KeyData(key, false, false));
    Post(WM_KEYUP, key, KeyData(key, true, false));
}

void Keyboard::PressAlt(wchar_t letter)
{
    const WORD key = static_cast<WORD>(std::towupper(letter));
    Post(WM_SYSKEYDOWN, key, KeyData(key, false, true));
    Post(WM_SYSKEYUP, key, KeyData(key, true, true));
}

void Keyboard::Type(const std::wstring& text)
{
    for (wchar_t c : text)
        Post(WM_CHAR, c, 1);
}

bool Keyboard::TabTo(HWND target)
{
    for (int i = 0; i < 50 && ::GetFocus() != target; ++i)
        Press(VK_TAB);
    return ::GetFocus() == target;
}

} // namespace testing_support
