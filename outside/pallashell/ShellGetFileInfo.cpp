#include "outside/pallashell/ShellGetFileInfo.h"

#include "outside/pallashell/ComInit.h"

#include <shellapi.h>

namespace {

SHFILEINFOW QueryShell(const std::wstring& path, UINT flags)
{
    EnsureComOnThisThread();
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), flags))
        info = SHFILEINFOW{};
    return info;
}

} // namespace

void CShellGetFileInfo::GetLargeIcon()
{
    m_hLargeIcon = QueryShell(m_path, SHGFI_ICON | SHGFI_LARGEICON).hIcon;
}

void CShellGetFileInfo::GetSmallIcon()
{
    m_hSmallIcon = QueryShell(m_path, SHGFI_ICON | SHGFI_SMALLICON).hIcon;
}

void CShellGetFileInfo::GetFileType()
{
    m_FileType = QueryShell(m_path, SHGFI_TYPENAME).szTypeName;
}
