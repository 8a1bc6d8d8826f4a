#include "sendto/ItemTree.h"

#include "common/FolderWalker.h"
#include "framework/Handle.h"
#include "framework/LongPath.h"

#include <windows.h>

#include <algorithm>

namespace {

uint64_t Ticks(const FILETIME& time)
{
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool IsFolderToEnter(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

void AddFile(const std::wstring& path, uint64_t size, const FILETIME& written, ItemTotals& totals)
{
    ++totals.files;
    totals.bytes += size;
    if (totals.files == 1 || size > totals.largestFile) {
        totals.largestFile = size;
        totals.largestFilePath = path;
    }
    totals.newestWrite = std::max(totals.newestWrite, Ticks(written));
}

// Calls visit(fullPath, findData) for every entry of a folder but . and ..,
// for removing a tree, whose folders can only go after what they hold (the
// shared walker reports a folder before its contents).
template <typename Visit>
void ForEachEntry(const std::wstring& folder, Visit visit)
{
    WIN32_FIND_DATAW found;
    fx::CFindHandle find(::FindFirstFileExW(fx::ExtendedLengthPath(folder + L"\\*").c_str(), FindExInfoBasic, &found,
                                            FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            visit(folder + L"\\" + name, found);
    } while (::FindNextFileW(find.Get(), &found));
}

void AddFolder(const std::wstring& folder, ItemTotals& totals)
{
    CFolderWalker walker(
        [&totals](const std::wstring& in, const WIN32_FIND_DATAW& found) {
            // The walker names a drive root with its backslash, a folder without.
            const std::wstring separator = !in.empty() && in.back() == L'\\' ? L"" : L"\\";
            AddFile(in + separator + found.cFileName, EntrySize(found), found.ftLastWriteTime, totals);
        },
        [](const std::wstring&, const WIN32_FIND_DATAW&) {}, [] { return false; });
    walker.Walk(folder);
}

} // namespace

std::optional<ItemTotals> MeasureItem(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(fx::ExtendedLengthPath(path).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    ItemTotals totals;
    if (IsFolderToEnter(data.dwFileAttributes))
        AddFolder(path, totals);
    else if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        AddFile(path, (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow, data.ftLastWriteTime,
                totals);
    return totals;
}

bool RemoveItem(const std::wstring& path)
{
    const std::wstring longPath = fx::ExtendedLengthPath(path);
    const DWORD attributes = ::GetFileAttributesW(longPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    // A read-only copy must go too: it is ours.
    ::SetFileAttributesW(longPath.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return ::DeleteFileW(longPath.c_str()) != FALSE;
    if (IsFolderToEnter(attributes))
        ForEachEntry(path, [](const std::wstring& entry, const WIN32_FIND_DATAW&) { RemoveItem(entry); });
    return ::RemoveDirectoryW(longPath.c_str()) != FALSE;
}
