// The shell's large icon of an item, fetched on a worker: the shell reads
// the item to choose its icon, and a drive that takes seconds to answer must
// hold up the worker alone, never a window. The window hears of the icon by
// a posted message and takes it; the icon is owned from the moment the shell
// hands it over.
#pragma once
#include "framework/Handle.h"
#include "framework/WorkerThread.h"

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

namespace fennix {

class CShellIconFetch {
public:
    CShellIconFetch() = default;
    // A fetch still running is let go, never waited for.
    ~CShellIconFetch() { m_worker.Abandon(); }
    CShellIconFetch(const CShellIconFetch&) = delete;
    CShellIconFetch& operator=(const CShellIconFetch&) = delete;

    // Fetches the icon of path on a worker, which posts doneMessage to
    // window with this fetch's id in wParam. A fetch still running is let go.
    void Start(const std::wstring& path, HWND window, UINT doneMessage);
    // The icon of the fetch whose message carries id; empty for a fetch let
    // go since (its icon goes with it) and when the shell had none.
    fx::CIconHandle Take(WPARAM id);

private:
    // Shared with the worker, which may outlive this object.
    struct Result {
        std::mutex lock;
        fx::CIconHandle icon;
    };

    std::shared_ptr<Result> m_result;
    fx::CWorkerThread m_worker;
    WPARAM m_id = 0;
};

} // namespace fennix
