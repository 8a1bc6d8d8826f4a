#include "controls/DropList.h"

#include "framework/Handle.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>

std::vector<std::wstring> ReadDropList(HDROP drop)
{
    std::vector<std::wstring> paths;
    if (!drop)
        return paths;
    // DragQueryFileW converts an ANSI list itself and tells each path's real length.
    UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        length = ::DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(length);
        // Some readers count an empty list as one empty name: that is no path.
        if (!path.empty())
            paths.push_back(std::move(path));
    }
    return paths;
}

std::optional<std::vector<std::wstring>> TakeClipboardDropList()
{
    fx::CClipboard clipboard;
    if (!clipboard.IsOpen())
        return std::nullopt;
    std::optional<std::vector<std::wstring>> paths;
    if (HANDLE data = ::GetClipboardData(CF_HDROP))
        paths = ReadDropList(static_cast<HDROP>(data));
    ::EmptyClipboard();
    return paths;
}

HGLOBAL MakeDropList(const std::vector<std::wstring>& paths)
{
    size_t chars = 1;
    for (const std::wstring& path : paths)
        chars += path.size() + 1;
    chars = std::max<size_t>(chars, 2); // an empty list is still double-NUL terminated
    fx::CGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t)));
    if (!memory)
        return nullptr;
    fx::CGlobalLock<BYTE> lock(memory.Get());
    auto* header = reinterpret_cast<DROPFILES*>(lock.Get());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(lock.Get() + sizeof(DROPFILES));
    for (const std::wstring& path : paths) {
        std::memcpy(out, path.c_str(), path.size() * sizeof(wchar_t));
        out += path.size() + 1;
    }
    return memory.Release();
}
