// The folder page's walk, run on a worker so that the window thread never
// waits on the file system: a drive that takes seconds to answer one listing
// holds up the worker alone. The window thread reads the figures so far at
// any moment (to show progress, or when the user stops the walk) and hears
// of the end by a posted message.
#pragma once
#include "controls/PathList.h"
#include "framework/WorkerThread.h"
#include "properties/SelectionScan.h"

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

namespace fennix {

class CSelectionWalk {
public:
    CSelectionWalk() = default;
    // A walk still running is let go, never waited for.
    ~CSelectionWalk() { Abandon(); }
    CSelectionWalk(const CSelectionWalk&) = delete;
    CSelectionWalk& operator=(const CSelectionWalk&) = delete;

    // Walks the items (see ScanSelection) on a worker, which posts
    // doneMessage to window with this walk's Id() in wParam when it has
    // finished. A walk still running is abandoned first.
    void Start(const CPathList& items, const std::wstring& filter, bool includeSubFolders, HWND window,
               UINT doneMessage);
    // Tells the worker to stop and lets it end by itself, without waiting:
    // it may sit in one slow call for seconds. Its figures stay as they are.
    void Abandon();
    // Tells apart the messages of this walk from those of abandoned ones.
    WPARAM Id() const { return m_id; }

    // Everything counted so far; the whole walk once the worker has posted.
    SelectionScan Figures() const;
    FolderTotals Totals() const;

private:
    // What the worker publishes at each checkpoint of its walk: the worker
    // keeps its own share, so it never touches this object.
    struct Published {
        mutable std::mutex lock;
        SelectionScan scan;
    };
    static void Publish(Published& published, const SelectionScan& soFar);

    std::shared_ptr<Published> m_published = std::make_shared<Published>();
    fx::CWorkerThread m_worker;
    WPARAM m_id = 0;
};

} // namespace fennix
