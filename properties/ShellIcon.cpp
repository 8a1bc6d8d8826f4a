#include "properties/ShellIcon.h"

#include "outside/pallashell/ShellGetFileInfo.h"

namespace fennix {

fx::CIconHandle ShellLargeIcon(const std::wstring& path)
{
    CShellGetFileInfo shellInfo(path);
    shellInfo.GetLargeIcon();
    return fx::CIconHandle(shellInfo.m_hLargeIcon);
}

} // namespace fennix
