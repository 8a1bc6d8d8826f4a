#include "framework/LongPath.h"

#include "framework/GrowBuffer.h"

#include <windows.h>

namespace fx {

namespace {
const wchar_t kPrefix[] = L"\\\\?\\";
const wchar_t kUncPrefix[] = L"\\\\?\\UNC\\";

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool IsDrivePath(const std::wstring& path)
{
    return path.size() >= 3 && path[1] == L':' && IsSeparator(path[2]);
}

bool IsUncPath(const std::wstring& path)
{
    return path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] != L'.' && path[2] != L'?';
}
} // namespace

std::optional<std::wstring> FullPath(const std::wstring& path)
{
    if (path.empty())
        return std::nullopt;
    // The extended-length form keeps ".." as a name; resolve the user's form.
    const std::wstring plain = WithoutExtendedPrefix(path);
    return ReadGrowingText([&plain](wchar_t* buffer, DWORD size) {
        return ::GetFullPathNameW(plain.c_str(), size, buffer, nullptr);
    });
}

std::wstring ExtendedLengthPath(const std::wstring& path)
{
    // A relative path or a device is left for the API to resolve as it can:
    // it names nothing the extended form could name better.
    if (path.size() < MAX_PATH || !(IsDrivePath(path) || IsUncPath(path)))
        return path;
    const std::wstring full = FullPath(path).value_or(path);
    if (full.size() < MAX_PATH)
        return full;
    return IsDrivePath(full) ? kPrefix + full : kUncPrefix + full.substr(2);
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
