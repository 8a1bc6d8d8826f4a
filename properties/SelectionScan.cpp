#include "properties/SelectionScan.h"

#include "common/SelectedPath.h"
#include "framework/LongPath.h"
#include "outside/pallapath/FolderOp.h"

namespace fennix {

SelectionScan ScanSelection(const CPathList& items, std::wstring_view filter, bool includeSubFolders,
                            const ScanCheckpoint& checkpoint)
{
    SelectionScan scan;
    scan.stats.SetFilter(filter);
    scan.itemSizes.assign(static_cast<size_t>(items.GetCount()), 0);
    if (items.GetCount() > 0) {
        const CFolderOp folderOp;
        scan.folderPath = folderOp.GetLongFileName(folderOp.GetParentDir(items.GetAt(0)));
        scan.folderShortPath = folderOp.GetShortFileName(scan.folderPath);
    }
    const auto shouldStop = [&scan, &checkpoint] { return checkpoint && checkpoint(scan); };

    uint64_t* itemBytes = nullptr; // the item being walked
    CFolderWalker walker(
        [&](const std::wstring&, const WIN32_FIND_DATAW& entry) {
            scan.stats.AddFile(entry);
            *itemBytes += EntrySize(entry);
        },
        [&](const std::wstring&, const WIN32_FIND_DATAW&) { scan.stats.AddFolder(); }, shouldStop);

    for (int index = 0; index < items.GetCount(); ++index) {
        if (shouldStop()) {
            scan.stopped = true;
            break;
        }
        const std::wstring item = items.GetAt(index);
        itemBytes = &scan.itemSizes[static_cast<size_t>(index)];
        scan.itemsBegun = static_cast<size_t>(index) + 1;
        // One look-up of the item itself: a finder's look-up reads the whole
        // folder that holds it (under Wine, 8.4 s for 10,000 items of one
        // folder, against 0.3 s). Like the finder, it does not take a drive
        // or share root for a folder.
        WIN32_FILE_ATTRIBUTE_DATA found{};
        if (item == PathRoot(item) ||
            !::GetFileAttributesExW(fx::ExtendedLengthPath(item).c_str(), GetFileExInfoStandard, &found)) {
            scan.stats.AddFile(std::wstring_view(), 0);
        } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            scan.stats.AddFolder();
            if (!walker.Walk(item, includeSubFolders)) {
                scan.stopped = true;
                break;
            }
        } else {
            const uint64_t size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            scan.stats.AddFile(std::wstring_view(item).substr(item.find_last_of(L'\\') + 1), size);
            *itemBytes = size;
        }
    }
    return scan;
}

} // namespace fennix
