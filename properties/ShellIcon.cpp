#include "properties/ShellIcon.h"

#include "outside/pallashell/ShellGetFileInfo.h"

#include <utility>

namespace fennix {

void CShellIconFetch::Start(const std::wstring& path, HWND window, UINT doneMessage)
{
    m_worker.Abandon();
    auto result = std::make_shared<Result>();
    m_result = result;
    const WPARAM id = ++m_id;
    m_worker.Start([result, path, window, doneMessage, id](const std::atomic<bool>& stop) {
        fx::CIconHandle icon = CShellGetFileInfo(path).LargeIcon();
        {
            std::lock_guard<std::mutex> hold(result->lock);
            result->icon = std::move(icon);
        }
        if (!stop)
            ::PostMessageW(window, doneMessage, id, 0);
    });
}

fx::CIconHandle CShellIconFetch::Take(WPARAM id)
{
    if (id != m_id || !m_result)
        return fx::CIconHandle();
    std::lock_guard<std::mutex> hold(m_result->lock);
    return std::move(m_result->icon);
}

} // namespace fennix
