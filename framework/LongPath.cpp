#include "framework/LongPath.h"

#include <windows.h>

namespace fx {

namespace {
const wchar_t kPrefix[] = L"\\\\?\\";
const wchar_t kUncPrefix[] = L"\\\\?\\UNC\\";

bool IsDrivePath(const std::wstring& path)
{
    return path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
}
} // namespace

std::wstring ExtendedLengthPath(const std::wstring& path)
{
    if (path.size() < MAX_PATH || path.rfind(kPrefix, 0) == 0)
        return path;
    if (IsDrivePath(path))
        return kPrefix + path;
    if (path.rfind(L"\\\\", 0) == 0)
        return kUncPrefix + path.substr(2);
    return path; // relative: the API resolves it as it can
}

std::wstring WithoutExtendedPrefix(const std::wstring& path)
{
    if (path.rfind(kUncPrefix, 0) == 0)
        return L"\\\\" + path.substr(std::wstring(kUncPrefix).size());
    if (path.rfind(kPrefix, 0) == 0 && IsDrivePath(path.substr(4)))
        return path.substr(4);
    return path;
}

} // namespace fx
