// The one walk of a folder tree that the programs share: Larkway sizes a
// selection with it, Fennix counts a folder's contents, both on a worker
// thread that hands it a stop check reading the worker's flag.
//
// The walk works on full paths only (the extended-length form where a path
// needs it), never through the process's current directory, and never enters
// a link (junction, symbolic link, mount point), so a link to an ancestor
// cannot make it loop. Other reparse points (cloud files, deduplicated
// folders) are folders like any other. It only lists folders, never opens a
// file, so nothing stored online is fetched. Its memory grows with the depth
// of the tree, not with the number of entries: one path, and one open
// listing per level.
#pragma once
#include <windows.h>

#include "framework/Handle.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct FolderTotals {
    uint64_t files = 0;
    uint64_t folders = 0;
    uint64_t bytes = 0;
};

// folder: the full path of the folder the entry lies in, as the user knows it
// (no extended-length prefix; no trailing backslash unless a root); to open
// the entry, hand the file APIs fx::ExtendedLengthPath(folder + L"\\" + name).
// entry: its find data (name in cFileName, size, attributes). Both are valid
// only during the call.
using WalkCallback = std::function<void(const std::wstring& folder, const WIN32_FIND_DATAW& entry)>;
using StopCheck = std::function<bool()>; // true: stop now

// The 64-bit size of a listed entry.
uint64_t EntrySize(const WIN32_FIND_DATAW& entry);

// Whether the walk goes into a listed entry: a folder that is not a link.
// A link is a reparse point whose tag is a name surrogate (symbolic link,
// junction, mount point), or whose tag is 0, as Wine reports every Unix
// symbolic link.
bool IsFolderToEnter(const WIN32_FIND_DATAW& entry);

class CFolderWalker {
public:
    // The stop check runs before each folder is opened and after every
    // kEntriesPerStopCheck entries met, so a folder of a million files still
    // lets a user-interface thread pump its messages.
    static constexpr unsigned kEntriesPerStopCheck = 4096;

    // Any of the three may be empty: nothing is told, or nothing stops the walk.
    CFolderWalker(WalkCallback onFile, WalkCallback onFolder, StopCheck shouldStop);

    // Walks everything below folder (the folder itself is not reported),
    // depth first: the entries of a folder in the order the file system lists
    // them, each subfolder reported to onFolder and then walked before the
    // next entry, unless recurse is false or it is a link (reported, never
    // entered, see IsFolderToEnter). "." and ".." are not entries. A folder that cannot be
    // listed contributes nothing and the walk goes on. folder must be a full
    // path (drive, share or their extended forms; "." and ".." are resolved);
    // any other path names no place to walk and nothing is reported.
    // False when the stop check ended the walk. One walk at a time: a
    // callback or a stop check (one that pumps messages, say) must not start
    // another walk with the same walker.
    bool Walk(const std::wstring& folder, bool recurse = true);

    // For tests of what the user sees while a drive takes seconds to answer:
    // delay is called on the walking thread before each folder is listed,
    // with the folder's path, and may block as long as it likes. Null: none.
    using ListingDelay = void (*)(const std::wstring& folder);
    static void SetListingDelay(ListingDelay delay);

private:
    // One open listing: its search and the length of the path of the folder
    // that holds it, to go back to when it is done.
    struct Level {
        fx::CFindHandle find;
        size_t parentLength;
    };

    bool WalkTree(bool recurse);
    // Lists the folder m_path names; on success its first entry is in m_entry.
    bool Open(size_t parentLength);
    // Moves the innermost listing on; false when it has no more entries.
    bool Next();
    void Close();
    bool StopRequested();

    WalkCallback m_onFile;
    WalkCallback m_onFolder;
    StopCheck m_shouldStop;
    std::wstring m_path; // the folder being listed
    std::vector<Level> m_levels;
    WIN32_FIND_DATAW m_entry{};
    unsigned m_entriesSinceStopCheck = 0;
};

// Every file below a folder, summed; onSubfolder (may be empty) is told of
// each subfolder as it is met (Larkway steps its busy bar there). Stops early
// when shouldStop says so (the totals so far).
FolderTotals MeasureFolder(const std::wstring& folder, const StopCheck& shouldStop,
                           const std::function<void()>& onSubfolder = {});
