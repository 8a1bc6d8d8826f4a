// Pallashell: the shell's icon and type name of a file, a folder or a drive root.
#pragma once
#include <windows.h>

#include <string>

class CShellGetFileInfo {
public:
    CShellGetFileInfo() = default;
    explicit CShellGetFileInfo(const std::wstring& path) { Create(path); }
    // Binds the object to a path ("C:\" for a drive).
    void Create(const std::wstring& path) { m_path = path; }

    // Each fills its member. The icons belong to the caller, who destroys
    // them (DestroyIcon) when done: they outlive this object.
    void GetLargeIcon();
    void GetSmallIcon();
    void GetFileType();

    HICON m_hLargeIcon = nullptr;
    HICON m_hSmallIcon = nullptr;
    std::wstring m_FileType;

private:
    std::wstring m_path;
};
