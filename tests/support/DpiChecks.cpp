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

// Room a group box leaves on each side of its caption, at 96 DPI.
const int kGroupCaptionIndent = 8;

std::wstring ClassName(HWND hwnd)
{
    wchar_t name[64] = L"";
    ::GetClassNameW(hwnd, name, 64);
    return name;
}

// The size of text drawn in the control's font with format, lines broken at
// width when the format breaks them.
SIZE Measure(HWND control, const std::wstring& text, UINT format, int width)
{
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    fx::CClientDC dc(control);
    fx::CSelectObject select(dc.Get(), font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(SYSTEM_FONT));
    RECT area{0, 0, width, 0};
    ::DrawTextW(dc.Get(), text.c_str(), -1, &area, format | DT_CALCRECT);
    return SIZE{area.right - area.left, area.bottom - area.top};
}

struct Room {
    SIZE needed;
    SIZE available;
};

std::optional<Room> StaticRoom(HWND control, const std::wstring& text, const RECT& client)
{
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    UINT format = DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
        format |= DT_WORDBREAK;
        break;
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        format |= DT_SINGLELINE;
        break;
    default:
        return std::nullopt; // icons, frames, rectangles: no text shown
    }
    if (style & SS_ELLIPSISMASK)
        return std::nullopt; // shortened on purpose, with an ellipsis
    if (style & SS_CENTERIMAGE)
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE; // one line, centred up and down
    // A word longer than the line makes the measured text wider than the line.
    return Room{Measure(control, text, format, client.right), SIZE{client.right, client.bottom}};
}

std::optional<Room> IconButtonRoom(const CIconButton& button, const std::wstring& text, const RECT& client)
{
    const SIZE icon = button.HoverIcon() ? button.IconSize() : SIZE{0, 0};
    const SIZE caption = text.empty() ? SIZE{0, 0} : Measure(button.m_hWnd, text, DT_SINGLELINE, 0);
    const bool beside = button.IconPlacement() == CIconButton::IconLeft;
    const SIZE needed = beside ? SIZE{icon.cx + caption.cx, std::max(icon.cy, caption.cy)}
                               : SIZE{std::max(icon.cx, caption.cx), icon.cy + caption.cy};
    return Room{needed, SIZE{client.right, client.bottom}};
}

std::optional<Room> ButtonRoom(HWND control, const std::wstring& text, const RECT& client)
{
    const UINT dpi = fx::WindowDpi(control);
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    switch (style & BS_TYPEMASK) {
    case BS_OWNERDRAW:
        if (const auto* button = dynamic_cast<const CIconButton*>(fx::CWnd::FromHandlePermanent(control)))
            return IconButtonRoom(*button, text, client);
        return std::nullopt;
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: {
        // Inside the button's raised edge.
        const int edge = ::GetSystemMetricsForDpi(SM_CXEDGE, dpi);
        const UINT format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
        return Room{Measure(control, text, format, client.right - 2 * edge),
                    SIZE{client.right - 2 * edge, client.bottom - 2 * edge}};
    }
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
        // The box's own account of the room its mark and text take.
        SIZE ideal{};
        ::SendMessageW(control, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
        const SIZE caption = Measure(control, text, DT_SINGLELINE, 0);
        const int mark = ::GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi);
        return Room{SIZE{std::max(ideal.cx, mark + caption.cx), caption.cy}, SIZE{client.right, client.bottom}};
    }
    case BS_GROUPBOX: {
        const int indent = fx::ScaleToDpi(kGroupCaptionIndent, dpi);
        const SIZE caption = Measure(control, text, DT_SINGLELINE, 0);
        return Room{caption, SIZE{client.right - 2 * indent, client.bottom}};
    }
    default:
        return std::nullopt;
    }
}

void Check(HWND control, std::vector<std::wstring>& clipped)
{
    if (!::IsWindowVisible(control))
        return;
    const std::wstring text = fx::WindowText(control);
    const std::wstring kind = ClassName(control);
    const RECT client = [control] {
        RECT rc{};
        ::GetClientRect(control, &rc);
        return rc;
    }();
    std::optional<Room> room;
    if (_wcsicmp(kind.c_str(), L"Static") == 0 && !text.empty())
        room = StaticRoom(control, text, client);
    else if (_wcsicmp(kind.c_str(), L"Button") == 0)
        room = ButtonRoom(control, text, client);
    if (!room || (room->needed.cx <= room->available.cx && room->needed.cy <= room->available.cy))
        return;
    wchar_t line[160];
    swprintf(line, 160, L" (%ls %d) needs %ld x %ld, has %ld x %ld", kind.c_str(), ::GetDlgCtrlID(control),
             room->needed.cx, room->needed.cy, room->available.cx, room->available.cy);
    clipped.push_back(L"\"" + text + L"\"" + line);
}

BOOL CALLBACK CheckChild(HWND child, LPARAM clipped)
{
    Check(child, *reinterpret_cast<std::vector<std::wstring>*>(clipped));
    return TRUE;
}

BOOL CALLBACK AddIconId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids)
{
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<WORD>*>(ids)->push_back(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
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
    Check(top, clipped);
    ::EnumChildWindows(top, CheckChild, reinterpret_cast<LPARAM>(&clipped));
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
        for (HICON icon : {button->NormalIcon(), button->HoverIcon()}) {
            const SIZE image = IconImageSize(icon);
            if (image.cx != size || image.cy != size)
                wrong.push_back(name + L" has an icon of " + std::to_wstring(image.cx) + L" x " +
                                std::to_wstring(image.cy) + L", not " + std::to_wstring(size));
        }
    }
    return wrong;
}

namespace {

std::vector<WORD> IconResourceIds()
{
    std::vector<WORD> ids;
    ::EnumResourceNamesW(::GetModuleHandleW(nullptr), RT_GROUP_ICON, AddIconId, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

std::vector<int> IconResourceSizes(WORD id)
{
    // The icon directory as the resource holds it: a header, then one
    // entry per image.
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

std::vector<std::wstring> IconsWithoutSizes(const std::vector<int>& sizes)
{
    std::vector<std::wstring> lacking;
    for (WORD id : IconResourceIds()) {
        const std::vector<int> held = IconResourceSizes(id);
        if (std::all_of(sizes.begin(), sizes.end(),
                        [&held](int size) { return std::find(held.begin(), held.end(), size) != held.end(); }))
            continue;
        std::wstring line = L"icon " + std::to_wstring(id) + L" holds";
        for (int size : held)
            line += L" " + std::to_wstring(size);
        lacking.push_back(line);
    }
    return lacking;
}

} // namespace testing_support
