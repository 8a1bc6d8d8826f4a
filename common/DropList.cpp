#include "common/DropList.h"

#include "framework/Handle.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {

// Splits a run of NUL-terminated strings at each NUL, up to the first empty
// string; an unterminated last string ends at the run's end.
template <class Char, class Convert>
std::vector<std::wstring> SplitList(const Char* text, size_t length, Convert convert)
{
    std::vector<std::wstring> paths;
    const Char* end = text + length;
    while (text < end && *text) {
        const Char* stop = std::find(text, end, Char{});
        paths.push_back(convert(text, static_cast<size_t>(stop - text)));
        text = stop + (stop < end ? 1 : 0);
    }
    return paths;
}

std::wstring FromAnsi(const char* text, size_t length)
{
    const int chars = ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(chars, 0)), L'\0');
    if (chars > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), wide.data(), chars);
    return wide;
}

} // namespace

std::optional<std::vector<std::wstring>> ParseDropFiles(const BYTE* block, size_t size)
{
    DROPFILES header{};
    if (!block || size < sizeof(header))
        return std::nullopt;
    std::memcpy(&header, block, sizeof(header));
    // The list starts after the header and inside the block (at its very end
    // it is an empty list).
    if (header.pFiles < sizeof(header) || header.pFiles > size)
        return std::nullopt;
    const BYTE* list = block + header.pFiles;
    const size_t bytes = size - header.pFiles;
    if (!header.fWide) {
        return SplitList(reinterpret_cast<const char*>(list), bytes,
                         [](const char* text, size_t length) { return FromAnsi(text, length); });
    }
    // Copied out whole: the offset need not be aligned for wchar_t, and an
    // odd last byte is no character.
    std::wstring wide(bytes / sizeof(wchar_t), L'\0');
    std::memcpy(wide.data(), list, wide.size() * sizeof(wchar_t));
    return SplitList(wide.data(), wide.size(),
                     [](const wchar_t* text, size_t length) { return std::wstring(text, length); });
}

std::optional<std::vector<std::wstring>> ReadDropList(HGLOBAL drop)
{
    if (!drop)
        return std::nullopt;
    const SIZE_T size = ::GlobalSize(drop);
    fx::CGlobalLock<BYTE> lock(drop);
    if (!lock.Get())
        return std::nullopt;
    return ParseDropFiles(lock.Get(), size);
}

std::optional<std::vector<std::wstring>> TakeClipboardDropList()
{
    fx::CClipboard clipboard;
    if (!clipboard.IsOpen())
        return std::nullopt;
    std::optional<std::vector<std::wstring>> paths = ReadDropList(::GetClipboardData(CF_HDROP));
    if (paths)
        ::EmptyClipboard();
    return paths;
}

std::optional<std::vector<std::wstring>> ReadSelectionSection(HANDLE section)
{
    const fx::CKernelHandle owned(section);
    const fx::CMappedView view(::MapViewOfFile(section, FILE_MAP_READ, 0, 0, 0));
    if (!view)
        return std::nullopt;
    // The view is as long as the section, rounded up to whole pages that read
    // as zeros: the parser stops at the block's end or at the pages' end.
    MEMORY_BASIC_INFORMATION region{};
    std::optional<std::vector<std::wstring>> paths;
    if (::VirtualQuery(view.Get(), &region, sizeof(region)) == sizeof(region))
        paths = ParseDropFiles(static_cast<const BYTE*>(view.Get()), region.RegionSize);
    return paths;
}

namespace {

// The handle the command line names after kSelectionSwitch; no value when it
// names none.
std::optional<HANDLE> HandedSection()
{
    int count = 0;
    const fx::CLocalMemory<LPWSTR*> owned(::CommandLineToArgvW(::GetCommandLineW(), &count));
    LPWSTR* const arguments = owned.Get();
    if (!arguments)
        return std::nullopt;
    std::optional<HANDLE> section;
    const size_t prefix = std::wcslen(kSelectionSwitch);
    for (int i = 1; i < count && !section; ++i) {
        if (std::wcsncmp(arguments[i], kSelectionSwitch, prefix) != 0)
            continue;
        wchar_t* end = nullptr;
        const unsigned long long value = std::wcstoull(arguments[i] + prefix, &end, 10);
        section = *end == L'\0' && end != arguments[i] + prefix ? reinterpret_cast<HANDLE>(value) : nullptr;
    }
    return section;
}

} // namespace

std::optional<std::vector<std::wstring>> TakeStartSelection()
{
    const std::optional<HANDLE> section = HandedSection();
    if (!section)
        return TakeClipboardDropList();
    std::optional<std::vector<std::wstring>> paths = *section ? ReadSelectionSection(*section) : std::nullopt;
    if (paths && paths->empty())
        return std::nullopt;
    return paths;
}

std::vector<BYTE> MakeDropFiles(const std::vector<std::wstring>& paths)
{
    size_t chars = 1;
    for (const std::wstring& path : paths)
        chars += path.size() + 1;
    chars = std::max<size_t>(chars, 2); // an empty list is still double-NUL terminated
    std::vector<BYTE> block(sizeof(DROPFILES) + chars * sizeof(wchar_t), 0);
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    std::memcpy(block.data(), &header, sizeof(header));
    BYTE* out = block.data() + sizeof(DROPFILES);
    for (const std::wstring& path : paths) {
        std::memcpy(out, path.c_str(), path.size() * sizeof(wchar_t));
        out += (path.size() + 1) * sizeof(wchar_t);
    }
    return block;
}

HGLOBAL MakeDropList(const std::vector<std::wstring>& paths)
{
    const std::vector<BYTE> block = MakeDropFiles(paths);
    fx::CGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, block.size()));
    if (!memory)
        return nullptr;
    fx::CGlobalLock<BYTE> lock(memory.Get());
    std::memcpy(lock.Get(), block.data(), block.size());
    return memory.Release();
}
