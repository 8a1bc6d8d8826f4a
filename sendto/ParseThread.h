// Sizes the selected items on a worker thread while the user chooses where
// they go, and hands each result to the send dialog as soon as it is known.
#pragma once
#include "framework/WorkerThread.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace larkway {

class CSendDialog;

// One selected item as the dialog lists it.
struct SizedItem {
    std::wstring path;
    uint64_t bytes = 0;
};

// The size of one selected item: a file's length, every file of a folder
// (when folders are sized, else 0), 0 for what cannot be found. Stops early,
// with the sum so far, when shouldStop says so.
uint64_t MeasureItem(const std::wstring& path, bool sizeFolders, const std::function<bool()>& shouldStop,
                     const std::function<void()>& onSubfolder);

class CParseThread {
public:
    explicit CParseThread(CSendDialog& dialog) : m_dialog(dialog) {}

    // Sizes the paths (full paths, in selection order), one after another.
    void Start(std::vector<std::wstring> paths);
    // Stops the sizing and waits for the worker; safe from any point on the
    // dialog's thread, also while the worker waits for the dialog.
    void Stop() { m_thread.Stop(); }
    bool IsRunning() const { return m_thread.IsRunning(); }

private:
    void Run(const std::vector<std::wstring>& paths, const std::atomic<bool>& stop);

    CSendDialog& m_dialog;
    fx::CWorkerThread m_thread;
};

} // namespace larkway
