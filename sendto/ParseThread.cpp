#include "sendto/ParseThread.h"

#include "common/FolderWalker.h"
#include "framework/Handle.h"
#include "framework/LongPath.h"
#include "sendto/SendDialog.h"

namespace larkway {

uint64_t MeasureItem(const std::wstring& path, bool sizeFolders, const std::function<bool()>& shouldStop,
                     const std::function<void()>& onSubfolder)
{
    WIN32_FILE_ATTRIBUTE_DATA found{};
    if (!::GetFileAttributesExW(fx::ExtendedLengthPath(path).c_str(), GetFileExInfoStandard, &found))
        return 0;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return sizeFolders ? MeasureFolder(path, shouldStop, onSubfolder).bytes : 0;
    return (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
}

void CParseThread::Start(std::vector<std::wstring> paths)
{
    m_thread.Start([this, paths = std::move(paths)](const std::atomic<bool>& stop) { Run(paths, stop); });
}

void CParseThread::Run(const std::vector<std::wstring>& paths, const std::atomic<bool>& stop)
{
    // Ahead of the user interface, so the list fills while the user is still
    // choosing a destination.
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    const auto shouldStop = [&stop] { return stop.load(); };
    const auto onSubfolder = [this] { m_dialog.ActivityBar().Step(); };
    for (const std::wstring& path : paths) {
        if (stop)
            return;
        // Read per item: the user may change the setting while sizing runs,
        // for the items not measured yet.
        const uint64_t bytes = MeasureItem(path, m_dialog.SizeFolders(), shouldStop, onSubfolder);
        if (stop)
            return; // a part-measured item is not published
        m_dialog.PublishItem(SizedItem{path, bytes});
    }
    m_dialog.PublishSizingDone();
}

} // namespace larkway
