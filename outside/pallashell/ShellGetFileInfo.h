// Pallashell: the shell's icon and type name of a file, a folder or a drive root.
#pragma once
#include "framework/Handle.h"

#include <windows.h>

#include <string>

class CShellGetFileInfo {
public:
    CShellGetFileInfo() = default;
    explicit CShellGetFileInfo(const std::wstring& path) { Create(path); }
    // Binds the object to a path ("C:\" for a drive).
    void Create(const std::wstring& path) { m_path = path; }

    // The shell's icon in its size, owned by the handle: it goes with it.
    // An empty handle when the shell has none for the path.
    fx::CIconHandle LargeIcon() const;
    fx::CIconHandle SmallIcon() const;

    // Until every caller takes the owned icons above: each fills its member,
    // and the icon belongs to the caller, who destroys it.
    void GetLargeIcon() { m_hLargeIcon = LargeIcon().Release(); }
    void GetSmallIcon() { m_hSmallIcon = SmallIcon().Release(); }
    void GetFileType();

    HICON m_hLargeIcon = nullptr;
    HICON m_hSmallIcon = nullptr;
    std::wstring m_FileType;

private:
    std::wstring m_path;
};
