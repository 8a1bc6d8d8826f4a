#include "properties/SelectionWalk.h"

#include <utility>

namespace fennix {

void CSelectionWalk::Start(const CPathList& items, const std::wstring& filter, bool includeSubFolders, HWND window,
                           UINT doneMessage)
{
    Abandon();
    m_published = std::make_shared<Published>();
    m_published->scan.stats.SetFilter(filter);
    m_published->scan.itemSizes.assign(static_cast<size_t>(items.GetCount()), 0);
    const WPARAM id = ++m_id;
    m_worker.Start([published = m_published, items, filter, includeSubFolders, window, doneMessage,
                    id](const std::atomic<bool>& stop) {
        SelectionScan scan = ScanSelection(items, filter, includeSubFolders, [&](const SelectionScan& soFar) {
            Publish(*published, soFar);
            return stop.load();
        });
        {
            std::lock_guard<std::mutex> lock(published->lock);
            published->scan = std::move(scan);
        }
        ::PostMessageW(window, doneMessage, id, 0);
    });
}

void CSelectionWalk::Publish(Published& published, const SelectionScan& soFar)
{
    std::lock_guard<std::mutex> lock(published.lock);
    SelectionScan& shown = published.scan;
    shown.stats = soFar.stats;
    // Only the items that moved on since the last checkpoint: the one that
    // was under way then, and those begun since. A selection of thousands of
    // files is published once per item.
    for (size_t item = shown.itemsBegun > 0 ? shown.itemsBegun - 1 : 0; item < soFar.itemsBegun; ++item)
        shown.itemSizes[item] = soFar.itemSizes[item];
    shown.itemsBegun = soFar.itemsBegun;
    if (shown.folderPath.empty()) {
        shown.folderPath = soFar.folderPath;
        shown.folderShortPath = soFar.folderShortPath;
    }
}

void CSelectionWalk::Abandon()
{
    if (!m_worker.IsRunning())
        return; // a worker that has ended is joined at once by the next Start
    m_worker.Abandon();
    // The worker publishes once more at its next checkpoint: into its own
    // share, which nobody reads any more.
    auto frozen = std::make_shared<Published>();
    frozen->scan = Figures();
    m_published = std::move(frozen);
}

SelectionScan CSelectionWalk::Figures() const
{
    std::lock_guard<std::mutex> lock(m_published->lock);
    return m_published->scan;
}

FolderTotals CSelectionWalk::Totals() const
{
    std::lock_guard<std::mutex> lock(m_published->lock);
    return m_published->scan.stats.Totals();
}

} // namespace fennix
