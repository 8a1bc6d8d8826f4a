#include "sendto/ItemTree.h"

#include "common/FolderWalker.h"
#include "common/SelectedPath.h"
#include "framework/Handle.h"
#include "framework/LongPath.h"

#include <windows.h>

#include <algorithm>

namespace larkway {

namespace {

uint64_t Ticks(const FILETIME& time)
{
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

void AddFile(const std::wstring& fullPath, std::wstring relative, uint64_t size, const FILETIME& written,
             ItemContents& contents)
{
    if (contents.files.empty() || size > contents.largestFile) {
        contents.largestFile = size;
        contents.largestFilePath = fullPath;
    }
    contents.files[std::move(relative)] = FileRecord{size, Ticks(written)};
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

void AddFolder(const std::wstring& folder, ItemContents& contents)
{
    // The walker reads the folder in its normalised form, without a
    // trailing backslash but a root's: the names after it are the relative path.
    std::wstring base = NormalizeSelectedPath(folder).value_or(folder);
    if (base.size() > PathRoot(base).size() && base.back() == L'\\')
        base.pop_back();
    const size_t relativeStart = base.back() == L'\\' ? base.size() : base.size() + 1;
    CFolderWalker walker(
        [relativeStart, &contents](const std::wstring& in, const WIN32_FIND_DATAW& found) {
            // The walker names a drive root with its backslash, a folder without.
            const std::wstring separator = !in.empty() && in.back() == L'\\' ? L"" : L"\\";
            const std::wstring full = in + separator + found.cFileName;
            AddFile(full, full.substr(std::min(full.size(), relativeStart)), EntrySize(found), found.ftLastWriteTime,
                    contents);
        },
        [](const std::wstring&, const WIN32_FIND_DATAW&) {}, [] { return false; });
    walker.Walk(folder);
}

} // namespace

std::optional<ItemContents> ListItem(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(fx::ExtendedLengthPath(path).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    ItemContents contents;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        AddFolder(path, contents);
    else
        AddFile(path, L"", (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                data.ftLastWriteTime, contents);
    return contents;
}

namespace {

// Removes what one listing entry names: a file, a link (the link itself), or
// a folder with everything in it.
bool RemoveEntry(const std::wstring& path, const WIN32_FIND_DATAW& entry)
{
    const std::wstring longPath = fx::ExtendedLengthPath(path);
    // A read-only copy must go too: it is ours.
    ::SetFileAttributesW(longPath.c_str(), entry.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return ::DeleteFileW(longPath.c_str()) != FALSE;
    if (IsFolderToEnter(entry))
        ForEachEntry(path, [](const std::wstring& inner, const WIN32_FIND_DATAW& found) { RemoveEntry(inner, found); });
    return ::RemoveDirectoryW(longPath.c_str()) != FALSE;
}

} // namespace

bool RemoveItem(const std::wstring& path)
{
    // The item's own listing entry carries its reparse tag, which tells a
    // link from a folder to enter without opening the item.
    WIN32_FIND_DATAW entry;
    const fx::CFindHandle find(::FindFirstFileExW(fx::ExtendedLengthPath(path).c_str(), FindExInfoBasic, &entry,
                                                  FindExSearchNameMatch, nullptr, 0));
    if (!find)
        return ::GetFileAttributesW(fx::ExtendedLengthPath(path).c_str()) == INVALID_FILE_ATTRIBUTES;
    return RemoveEntry(path, entry);
}

} // namespace larkway
