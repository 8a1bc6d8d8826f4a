// The shell's large icon of an item, fetched on a worker (the shell reads the
// item to choose its icon). The icon is owned from the moment the shell hands
// it over.
#pragma once
#include "framework/Handle.h"
#include "properties/WorkerFetch.h"

#include <string>

namespace fennix {

class CShellIconFetch : private CWorkerFetch<fx::CIconHandle> {
public:
    // Fetches the icon of path; doneMessage reaches window with the fetch's
    // id in wParam. A fetch still running is let go.
    void Start(const std::wstring& path, HWND window, UINT doneMessage);
    // The icon of the fetch whose message carries id; empty for a fetch let
    // go since (its icon goes with it) and when the shell had none.
    fx::CIconHandle Take(WPARAM id);
};

} // namespace fennix
