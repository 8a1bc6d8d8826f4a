#include "diskinfo/DriveRoot.h"

#include <windows.h>

std::wstring DriveRootOf(const std::wstring& path)
{
    return path.substr(0, 3);
}

std::wstring CurrentDriveRoot()
{
    std::wstring folder;
    // Asked for the length first; another thread may change the folder in
    // between, so ask again until the answer fits.
    for (DWORD size = ::GetCurrentDirectoryW(0, nullptr); size != 0;) {
        folder.assign(size, L'\0');
        DWORD length = ::GetCurrentDirectoryW(size, folder.data());
        if (length < size) {
            folder.resize(length);
            break;
        }
        size = length;
    }
    return DriveRootOf(folder);
}
