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

fx::CIconHandle CShellGetFileInfo::LargeIcon() const
{
    return fx::CIconHandle(QueryShell(m_path, SHGFI_ICON | SHGFI_LARGEICON).hIcon);
}

fx::CIconHandle CShellGetFileInfo::SmallIcon() const
{
    return fx::CIconHandle(QueryShell(m_path, SHGFI_ICON | SHGFI_SMALLICON).hIcon);
}

void CShellGetFileInfo::GetFileType()
{
    m_FileType = QueryShell(m_path, SHGFI_TYPENAME).szTypeName;
}
