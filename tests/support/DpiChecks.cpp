#include "tests/support/DpiChecks.h"

#include "controls/IconButton.h"
#include "framework/Dpi.h"
#include "framework/Handle.h"
#include "framework/Wnd.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cwchar>
#include <optional>

namespace testing_support {

namespace {

struct Room {
    SIZE needed, available;
};

// The size of text drawn in the control's font with format, lines broken at width when it breaks them.
SIZE Measure(HWND control, const std::wstring& text, UINT format, int width)
{
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    fx::CClientDC dc(control);
    fx::CSelectObject select(dc.Get(), font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(SYSTEM_FONT));
    RECT area{0, 0, width, 0};
    ::DrawTextW(dc.Get(), text.c_str(), -1, &area, format | DT_CALCRECT);
    return SIZE{area.right - area.left, area.bottom - area.top};
}

std::optional<Room> StaticRoom(HWND control, const std::wstring& text, const RECT& client)
{
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    const LONG type = style & SS_TYPEMASK;
    // Icons, frames and rectangles show no text; an ellipsis shortens on purpose.
    if ((type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_SIMPLE && type != SS_LEFTNOWORDWRAP) ||
        (style & SS_ELLIPSISMASK))
        return std::nullopt;
    // One line when centred up and down; a word longer than the line makes the text wider than it.
    const bool oneLine = type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP || (style & SS_CENTERIMAGE);
    const UINT format = DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0) | (oneLine ? DT_SINGLELINE : DT_WORDBREAK);
    return Room{Measure(control, text, format, client.right), SIZE{client.right, client.bottom}};
}

std::optional<Room> ButtonRoom(HWND control, const std::wstring& text, const RECT& client)
{
    const UINT dpi = fx::WindowDpi(control);
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    const SIZE all{client.right, client.bottom};
    switch (style & BS_TYPEMASK) {
    case BS_OWNERDRAW: {
        const auto* button = dynamic_cast<const CIconButton*>(fx::CWnd::FromHandlePermanent(control));
        if (!button)
            return std::nullopt;
        const SIZE icon = button->HoverIcon() ? button->IconSize() : SIZE{0, 0};
        const SIZE caption = text.empty() ? SIZE{0, 0} : Measure(control, text, DT_SINGLELINE, 0);
        if (button->IconPlacement() == CIconButton::IconLeft)
            return Room{SIZE{icon.cx + caption.cx, std::max(icon.cy, caption.cy)}, all};
        return Room{SIZE{std::max(icon.cx, caption.cx), icon.cy + caption.cy}, all};
    }
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: { // inside the raised edge
        const int edge = ::GetSystemMetricsForDpi(SM_CXEDGE, dpi);
        return Room{Measure(control, text, (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE, client.right - 2 * edge),
                    SIZE{client.right - 2 * edge, client.bottom - 2 * edge}};
    }
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: { // the box's own account of the room its mark and text take
        SIZE ideal{};
        ::SendMessageW(control, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
        const SIZE caption = Measure(control, text, DT_SINGLELINE, 0);
        return Room{SIZE{std::max(ideal.cx, ::GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + caption.cx), caption.cy}, all};
    }
    case BS_GROUPBOX: // 8 pixels at 96 DPI left on each side of the caption
        return Room{Measure(control, text, DT_SINGLELINE, 0), SIZE{client.right - 2 * fx::ScaleToDpi(8, dpi), client.bottom}};
    default:
        return std::nullopt;
    }
}

BOOL CALLBACK Check(HWND control, LPARAM clippedTexts)
{
    if (!::IsWindowVisible(control))
        return TRUE;
    const std::wstring text = fx::WindowText(control);
    wchar_t kind[64] = L"";
    ::GetClassNameW(control, kind, 64);
    RECT client{};
    ::GetClientRect(control, &client);
    std::optional<Room> room;
    if (_wcsicmp(kind, L"Static") == 0 && !text.empty())
        room = StaticRoom(control, text, client);
    else if (_wcsicmp(kind, L"Button") == 0)
        room = ButtonRoom(control, text, client);
    if (!room || (room->needed.cx <= room->available.cx && room->needed.cy <= room->available.cy))
        return TRUE;
    wchar_t line[160];
    swprintf(line, 160, L" (%ls %d) needs %ld x %ld, has %ld x %ld", kind, ::GetDlgCtrlID(control), room->needed.cx,
             room->needed.cy, room->available.cx, room->available.cy);
    reinterpret_cast<std::vector<std::wstring>*>(clippedTexts)->push_back(L"\"" + text + L"\"" + line);
    return TRUE;
}

// The image sizes of an icon resource, from its directory: a header, then one entry per image.
std::vector<int> IconResourceSizes(WORD id)
{
#pragma pack(push, 2)
    struct Entry {
        BYTE width, height, colors, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
    struct Directory {
        WORD reserved, type, count;
        Entry entries[1];
    };
#pragma pack(pop)
    std::vector<int> sizes;
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* directory = loaded ? static_cast<const Directory*>(::LockResource(loaded)) : nullptr;
    const DWORD bytes = found ? ::SizeofResource(module, found) : 0;
    if (!directory || bytes < offsetof(Directory, entries))
        return sizes;
    const size_t count = std::min<size_t>(directory->count, (bytes - offsetof(Directory, entries)) / sizeof(Entry));
    for (size_t i = 0; i < count; ++i)
        sizes.push_back(directory->entries[i].width ? directory->entries[i].width : 256);
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

} // namespace

UINT IntendedDpi()
{
    const char* dpi = std::getenv("TEST_DPI");
    return dpi ? static_cast<UINT>(std::strtoul(dpi, nullptr, 10)) : USER_DEFAULT_SCREEN_DPI;
}

std::vector<std::wstring> ClippedTexts(HWND top)
{
    std::vector<std::wstring> clipped;
    Check(top, reinterpret_cast<LPARAM>(&clipped));
    ::EnumChildWindows(top, Check, reinterpret_cast<LPARAM>(&clipped));
    return clipped;
}

SIZE IconImageSize(HICON icon)
{
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info))
        return SIZE{0, 0};
    const fx::CBitmapHandle color(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap{};
    ::GetObjectW(color ? color.Get() : mask.Get(), sizeof(bitmap), &bitmap);
    // A mask without colour holds the AND and XOR halves one above the other.
    return SIZE{bitmap.bmWidth, color ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

int AtWindowDpi(HWND hwnd, int pixels)
{
    return ::MulDiv(pixels, static_cast<int>(::GetDpiForWindow(hwnd)), USER_DEFAULT_SCREEN_DPI);
}

std::vector<std::wstring> IconButtonsNotSizedFor(HWND parent, const std::vector<int>& ids, int layoutSize)
{
    std::vector<std::wstring> wrong;
    const int size = AtWindowDpi(parent, layoutSize);
    for (int id : ids) {
        const auto* button = dynamic_cast<const CIconButton*>(fx::CWnd::FromHandlePermanent(::GetDlgItem(parent, id)));
        const std::wstring name = L"button " + std::to_wstring(id);
        if (!button) {
            wrong.push_back(name + L" is no icon button");
            continue;
        }
        for (HICON icon : {button->NormalIcon(), button->HoverIcon()})
            if (const SIZE image = IconImageSize(icon); image.cx != size || image.cy != size)
                wrong.push_back(name + L" has an icon of " + std::to_wstring(image.cx) + L" x " +
                                std::to_wstring(image.cy) + L", not " + std::to_wstring(size));
    }
    return wrong;
}

std::vector<std::wstring> IconsWithoutSizes(const std::vector<int>& sizes)
{
    std::vector<WORD> ids;
    ::EnumResourceNamesW(::GetModuleHandleW(nullptr), RT_GROUP_ICON,
                         [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids) -> BOOL {
                             if (IS_INTRESOURCE(name))
                                 reinterpret_cast<std::vector<WORD>*>(ids)->push_back(LOWORD(name));
                             return TRUE;
                         },
                         reinterpret_cast<LONG_PTR>(&ids));
    std::vector<std::wstring> lacking;
    for (WORD id : ids) {
        const std::vector<int> held = IconResourceSizes(id);
        if (std::all_of(sizes.begin(), sizes.end(), [&](int size) { return std::find(held.begin(), held.end(), size) != held.end(); }))
            continue;
        std::wstring line = L"icon " + std::to_wstring(id) + L" holds";
        for (int size : held)
            line += L" " + std::to_wstring(size);
        lacking.push_back(line);
    }
    return lacking;
}

} // namespace testing_support
