#include "framework/Controls.h"

#include <vector>

namespace fx {

bool RegisterCustomControlClass(const wchar_t* className)
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExW(instance, className, &wc))
        return true;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    // Another thread may have registered it since the look above.
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

CToolTipCtrl::~CToolTipCtrl()
{
    // The tooltip is a popup: it does not go with its owner's children.
    if (HWND hwnd = m_hWnd) {
        UnsubclassWindow();
        ::DestroyWindow(hwnd);
    }
}

bool CToolTipCtrl::Create(HWND owner)
{
    HWND hwnd = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    return hwnd && SubclassWindow(hwnd);
}

namespace {
TTTOOLINFOW MakeToolInfo(HWND window, UINT_PTR id, const std::wstring& text)
{
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = window;
    ti.uId = id;
    ti.hinst = nullptr;
    ti.lpszText = const_cast<wchar_t*>(text.c_str());
    return ti;
}
} // namespace

bool CToolTipCtrl::AddTool(HWND tool, const std::wstring& text) const
{
    // A child tool reports to its parent; a top-level tool to itself.
    HWND window = (::GetWindowLongW(tool, GWL_STYLE) & WS_CHILD) ? ::GetParent(tool) : tool;
    TTTOOLINFOW ti = MakeToolInfo(window, reinterpret_cast<UINT_PTR>(tool), text);
    ti.uFlags |= TTF_IDISHWND;
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
}

bool CToolTipCtrl::AddTool(HWND window, UINT_PTR id, const RECT& rect, const std::wstring& text) const
{
    TTTOOLINFOW ti = MakeToolInfo(window, id, text);
    ti.rect = rect;
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
}

void CToolTipCtrl::UpdateTipText(HWND window, UINT_PTR id, const std::wstring& text) const
{
    TTTOOLINFOW ti = MakeToolInfo(window, id, text);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::SetToolRect(HWND window, UINT_PTR id, const RECT& rect) const
{
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = window;
    ti.uId = id;
    ti.rect = rect;
    SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}

std::wstring CToolTipCtrl::GetText(HWND window, UINT_PTR id) const
{
    // The tooltip copies at most 80 characters for a caller that does not
    // say its buffer size, which TTM_GETTEXTW cannot; 1024 is plenty for ours.
    std::vector<wchar_t> buffer(1024, L'\0');
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = window;
    ti.uId = id;
    ti.lpszText = buffer.data();
    SendMessage(TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&ti));
    return buffer.data();
}

int CComboBoxEx::InsertItem(int index, const std::wstring& text, int image) const
{
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.iImage = image;
    item.iSelectedImage = image;
    return static_cast<int>(SendMessage(CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

std::wstring CComboBoxEx::GetItemText(int index) const
{
    // The box cannot tell a text's length: grow the buffer until the text
    // leaves room to spare.
    for (size_t size = 64;; size *= 4) {
        std::vector<wchar_t> buffer(size, L'\0');
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT;
        item.iItem = index;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        if (!SendMessage(CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
            return std::wstring();
        std::wstring text(item.pszText);
        if (text.size() + 1 < size)
            return text;
    }
}

} // namespace fx
