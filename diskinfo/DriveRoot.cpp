#include "diskinfo/DriveRoot.h"

#include "common/SelectedPath.h"
#include "framework/GrowBuffer.h"

#include <windows.h>

namespace dovrin {

std::wstring CurrentDriveRoot()
{
    const std::optional<std::wstring> folder =
        fx::ReadGrowingText([](wchar_t* buffer, DWORD size) { return ::GetCurrentDirectoryW(size, buffer); });
    return folder ? PathRoot(*folder) : std::wstring();
}

} // namespace dovrin
