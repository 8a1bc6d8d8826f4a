// What one selected item holds on disk, and taking away a copy of it. A file
// is an item of one file; a folder holds every file below it. Kept private to
// the send until the shared folder walker can report the largest file and
// the newest write time too.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

struct ItemTotals {
    uint64_t files = 0;
    uint64_t bytes = 0;
    uint64_t largestFile = 0;  // bytes of the largest single file
    std::wstring largestFilePath;
    uint64_t newestWrite = 0;  // the latest last-write time of its files (FILETIME ticks); 0 for none

    bool SameSize(const ItemTotals& other) const { return files == other.files && bytes == other.bytes; }
};

// The totals of a file or a folder by its full path; none when nothing is
// there. A linked folder (junction, symbolic link) inside is never entered,
// so a loop always ends.
std::optional<ItemTotals> MeasureItem(const std::wstring& path);

// Removes a file, or a folder with everything in it (links themselves, never
// what they point to); true when nothing is left at the path.
bool RemoveItem(const std::wstring& path);
