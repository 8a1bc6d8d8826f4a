// The walk behind the folder page: every selected item in turn, a folder
// with everything below it (or only its own entries), each file counted for
// the type pattern it matches. Plain code: the page runs it on a worker and
// hands it a checkpoint that publishes the figures so far and reads the
// worker's stop flag; the tests call it directly.
#pragma once
#include "common/FolderWalker.h"
#include "controls/PathList.h"
#include "properties/FileTypeStats.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fennix {

struct SelectionScan {
    CFileTypeStats stats;
    // The bytes of each selected item, by its index in the selection: a
    // file's size, or the sum of everything counted below a folder.
    std::vector<uint64_t> itemSizes;
    // How many items the walk has begun; the last of them may be counted in
    // part. The later ones are 0 in itemSizes.
    size_t itemsBegun = 0;
    // The long form of the folder that holds the first item, and its short
    // (MS-DOS) form.
    std::wstring folderPath;
    std::wstring folderShortPath;
    // The stop check ended the walk: the figures are those gathered so far.
    bool stopped = false;
};

// Called before each item, before each folder is listed and every few
// thousand entries, with the figures so far; true stops the walk there.
using ScanCheckpoint = std::function<bool(const SelectionScan& soFar)>;

// A selected folder counts as a folder and is walked (into its subfolders
// when includeSubFolders; subfolders count as folders either way). Anything
// else counts as a file, also an item that cannot be looked up (it has gone,
// or it is a drive root): one file of no size and no name, which only a
// "*.*" pattern claims. checkpoint may be empty.
SelectionScan ScanSelection(const CPathList& items, std::wstring_view filter, bool includeSubFolders,
                            const ScanCheckpoint& checkpoint);

} // namespace fennix
