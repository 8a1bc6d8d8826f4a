// The walk behind the folder page: every selected item in turn, a folder
// with everything below it (or only its own entries), each file counted for
// the type pattern it matches. Plain code: the page hands it a stop check
// that pumps the window's messages, the tests hand it none.
#pragma once
#include "common/FolderWalker.h"
#include "controls/PathList.h"
#include "properties/FileTypeStats.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct SelectionScan {
    CFileTypeStats stats;
    // The bytes of each selected item, by its index in the selection: a
    // file's size, or the sum of everything counted below a folder.
    std::vector<uint64_t> itemSizes;
    // The long form of the folder that holds the first item.
    std::wstring folderPath;
    // The stop check ended the walk: the figures are those gathered so far.
    bool stopped = false;
};

// A selected folder counts as a folder and is walked (into its subfolders
// when includeSubFolders; subfolders count as folders either way). Anything
// else counts as a file, also an item that cannot be looked up (it has gone,
// or it is a drive root): one file of no size and no name, which only a
// "*.*" pattern claims. shouldStop (may be empty) is asked before each item,
// and by the walker before each folder and every few thousand entries.
SelectionScan ScanSelection(const CPathList& items, std::wstring_view filter, bool includeSubFolders,
                            const StopCheck& shouldStop);
