#include "common/SelectedPath.h"

#include "framework/LongPath.h"

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

bool HasDriveRoot(const std::wstring& path)
{
    return path.size() >= 3 && path[1] == L':' && IsSeparator(path[2]) &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

// "\\server\share\..." with both names present; "\\.\" and "\\?\" are the
// device and extended namespaces, not servers.
size_t UncRootLength(const std::wstring& path)
{
    if (path.size() < 3 || !IsSeparator(path[0]) || !IsSeparator(path[1]) || IsSeparator(path[2]))
        return 0;
    const size_t serverEnd = path.find_first_of(L"\\/", 2);
    if (serverEnd == std::wstring::npos || (serverEnd == 3 && (path[2] == L'.' || path[2] == L'?')))
        return 0;
    const size_t shareStart = serverEnd + 1;
    if (shareStart >= path.size() || IsSeparator(path[shareStart]))
        return 0; // no share name
    const size_t shareEnd = path.find_first_of(L"\\/", shareStart);
    return shareEnd == std::wstring::npos ? path.size() : shareEnd + 1;
}

} // namespace

std::optional<std::wstring> NormalizeSelectedPath(const std::wstring& path)
{
    // No file system takes a longer path, whatever a caller's buffer holds.
    const size_t kLongestPath = 32767;
    if (path.size() > kLongestPath)
        return std::nullopt;
    const std::wstring plain = fx::WithoutExtendedPrefix(path);
    if (!HasDriveRoot(plain) && !UncRootLength(plain))
        return std::nullopt;
    std::optional<std::wstring> full = fx::FullPath(plain);
    // The platform turns a reserved device name into its device path, also
    // inside a folder ("C:\dir\NUL" -> "\\.\NUL"): that is no file.
    if (!full || (!HasDriveRoot(*full) && !UncRootLength(*full)) || full->find_first_of(L"*?<>|\"") != std::wstring::npos)
        return std::nullopt;
    return full;
}

std::wstring PathRoot(const std::wstring& path)
{
    if (HasDriveRoot(path))
        return {path[0], L':', L'\\'};
    const size_t length = UncRootLength(path);
    if (!length)
        return std::wstring();
    std::wstring root = path.substr(0, length);
    for (wchar_t& c : root)
        if (c == L'/')
            c = L'\\';
    if (root.back() != L'\\')
        root += L'\\';
    return root;
}
