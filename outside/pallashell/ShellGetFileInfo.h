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

    void GetFileType();

    std::wstring m_FileType;

private:
    std::wstring m_path;
};
