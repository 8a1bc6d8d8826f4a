#include "outside/pallapath/FolderOp.h"

#include "framework/GrowBuffer.h"
#include "framework/LongPath.h"

#include <windows.h>
#include <pathcch.h>

#include <optional>

namespace {

using PathFormFunction = DWORD(WINAPI*)(LPCWSTR, LPWSTR, DWORD);

// GetLongPathNameW or GetShortPathNameW, with a buffer that grows to fit.
std::optional<std::wstring> Convert(PathFormFunction convert, const std::wstring& path)
{
    return fx::ReadGrowingText(
        [&](wchar_t* buffer, DWORD size) { return convert(path.c_str(), buffer, size); });
}

// The path as given first; a long one that the system refuses in that form
// (long paths not enabled on the machine) again in its extended-length form.
std::optional<std::wstring> PathForm(PathFormFunction convert, const std::wstring& path)
{
    if (std::optional<std::wstring> result = Convert(convert, path))
        return result;
    const std::wstring extended = fx::ExtendedLengthPath(path);
    if (extended == path)
        return std::nullopt;
    if (std::optional<std::wstring> result = Convert(convert, extended))
        return fx::WithoutExtendedPrefix(*result);
    return std::nullopt;
}

// How many characters of the path name its root: "C:\", "\\server\share\",
// "\\?\C:\"; 0 for a relative path.
size_t RootLength(const std::wstring& path)
{
    PCWSTR rest = nullptr;
    if (FAILED(::PathCchSkipRoot(path.c_str(), &rest)))
        return 0;
    return static_cast<size_t>(rest - path.c_str());
}

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

} // namespace

std::wstring CFolderOp::GetLongFileName(const std::wstring& path) const
{
    return PathForm(&::GetLongPathNameW, path).value_or(path);
}

std::wstring CFolderOp::GetShortFileName(const std::wstring& path) const
{
    return PathForm(&::GetShortPathNameW, path).value_or(std::wstring());
}

std::wstring CFolderOp::GetParentDir(const std::wstring& path) const
{
    size_t root = RootLength(path);
    size_t end = path.size();
    while (end > root && IsSeparator(path[end - 1]))
        --end;
    while (end > root && !IsSeparator(path[end - 1]))
        --end;
    // end now sits just after the separator before the last name, or at the root.
    while (end > root && IsSeparator(path[end - 1]))
        --end;
    return path.substr(0, end);
}
