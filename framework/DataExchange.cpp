#include "framework/DataExchange.h"

#include "framework/Format.h"
#include "framework/MessageBox.h"
#include "framework/Wnd.h"

#include <commctrl.h>

#include <cerrno>
#include <cwchar>
#include <cwctype>
#include <limits>
#include <optional>

namespace fx {

namespace {
// The whole text as an int: blanks around it allowed, nothing else.
std::optional<int> ParseInt(const std::wstring& text)
{
    const wchar_t* begin = text.c_str();
    wchar_t* end = nullptr;
    errno = 0;
    long long number = std::wcstoll(begin, &end, 10);
    if (end == begin || errno == ERANGE || number < std::numeric_limits<int>::min() ||
        number > std::numeric_limits<int>::max())
        return std::nullopt;
    while (*end && std::iswspace(*end))
        ++end;
    if (*end)
        return std::nullopt;
    return static_cast<int>(number);
}
} // namespace

void CDataExchange::Fail(const std::wstring& text)
{
    if (m_failed)
        return;
    m_failed = true;
    HWND ctl = Control(m_lastControl);
    fx::MessageBox(::GetAncestor(m_dialog, GA_ROOT), text, MB_ICONEXCLAMATION);
    if (ctl) {
        ::SetFocus(ctl);
        ::SendMessageW(ctl, EM_SETSEL, 0, -1); // ready to be typed over
    }
}

void DDX_Control(CDataExchange& dx, int id, CWnd& control)
{
    if (!control.m_hWnd)
        control.SubclassWindow(dx.Control(id));
}

void DDX_Text(CDataExchange& dx, int id, std::wstring& value)
{
    dx.PrepareControl(id);
    HWND ctl = dx.Control(id);
    if (dx.m_bSaveAndValidate)
        value = WindowText(ctl);
    else
        ::SetWindowTextW(ctl, value.c_str());
}

void DDX_Text(CDataExchange& dx, int id, int& value, int minimum, int maximum)
{
    dx.PrepareControl(id);
    HWND ctl = dx.Control(id);
    if (!dx.m_bSaveAndValidate) {
        ::SetWindowTextW(ctl, std::to_wstring(value).c_str());
        return;
    }
    const std::optional<int> number = ParseInt(WindowText(ctl));
    if (number && *number >= minimum && *number <= maximum)
        value = *number;
    else
        dx.Fail(Format(L"Please enter an integer between %d and %d.", minimum, maximum));
}

void DDX_Check(CDataExchange& dx, int id, int& value)
{
    dx.PrepareControl(id);
    HWND ctl = dx.Control(id);
    if (dx.m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(ctl, BM_GETCHECK, 0, 0));
    else
        ::SendMessageW(ctl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_DateTime(CDataExchange& dx, int id, SYSTEMTIME& value)
{
    dx.PrepareControl(id);
    HWND ctl = dx.Control(id);
    if (dx.m_bSaveAndValidate) {
        SYSTEMTIME st{};
        if (::SendMessageW(ctl, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID)
            value = st;
    } else {
        ::SendMessageW(ctl, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value));
    }
}

} // namespace fx
