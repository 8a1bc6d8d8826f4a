#include "framework/DataExchange.h"

#include "framework/Wnd.h"

#include <commctrl.h>

namespace fx {

void DDX_Control(CDataExchange& dx, int id, CWnd& control)
{
    if (!control.m_hWnd)
        control.SubclassWindow(dx.Control(id));
}

void DDX_Text(CDataExchange& dx, int id, std::wstring& value)
{
    HWND ctl = dx.Control(id);
    if (dx.m_bSaveAndValidate) {
        int n = ::GetWindowTextLengthW(ctl);
        std::wstring text(static_cast<size_t>(n) + 1, L'\0');
        n = ::GetWindowTextW(ctl, text.data(), n + 1);
        text.resize(static_cast<size_t>(n > 0 ? n : 0));
        value = std::move(text);
    } else {
        ::SetWindowTextW(ctl, value.c_str());
    }
}

void DDX_Check(CDataExchange& dx, int id, int& value)
{
    HWND ctl = dx.Control(id);
    if (dx.m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(ctl, BM_GETCHECK, 0, 0));
    else
        ::SendMessageW(ctl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_DateTime(CDataExchange& dx, int id, SYSTEMTIME& value)
{
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
