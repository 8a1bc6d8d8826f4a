// What one selected item holds on disk, and taking away a copy of it. A file
// is an item of one file; a folder holds every file below it.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace larkway {

struct FileRecord {
    uint64_t bytes = 0;
    uint64_t written = 0; // last-write time (FILETIME ticks)
};

struct ItemContents {
    // Every file by its path below the item ("" for an item that is a file).
    std::map<std::wstring, FileRecord> files;
    uint64_t largestFile = 0; // bytes of the largest single file
    std::wstring largestFilePath;
};

// The files of a file or a folder by its full path (a selected folder that is
// a link is listed where it leads); none when nothing is there. A linked
// folder (junction, symbolic link) inside is never entered, so a loop always
// ends: what lies behind it is not listed.
std::optional<ItemContents> ListItem(const std::wstring& path);

// Removes a file, or a folder with everything in it (links themselves, never
// what they point to); true when nothing is left at the path.
bool RemoveItem(const std::wstring& path);

} // namespace larkway
