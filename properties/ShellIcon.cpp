#include "properties/ShellIcon.h"

#include "outside/pallashell/ShellGetFileInfo.h"

namespace fennix {

void CShellIconFetch::Start(const std::wstring& path, HWND window, UINT doneMessage)
{
    CWorkerFetch::Start([path] { return CShellGetFileInfo(path).LargeIcon(); }, window, doneMessage);
}

fx::CIconHandle CShellIconFetch::Take(WPARAM id)
{
    std::optional<fx::CIconHandle> icon = CWorkerFetch::Take(id);
    return icon ? std::move(*icon) : fx::CIconHandle();
}

} // namespace fennix
