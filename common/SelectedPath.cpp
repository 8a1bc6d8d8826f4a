#include "common/SelectedPath.h"

#include "framework/LongPath.h"

#include <vector>

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

// The full path with every name exactly as given: "." and ".." resolved as
// the platform resolves them, nothing else changed. Its root is already
// checked.
std::wstring LiteralFullPath(const std::wstring& plain)
{
    const std::wstring root = PathRoot(plain);
    std::wstring full = root;
    const size_t rootLength = HasDriveRoot(plain) ? 3 : UncRootLength(plain);
    std::vector<std::wstring> names;
    for (size_t start = rootLength; start < plain.size();) {
        size_t end = plain.find_first_of(L"\\/", start);
        if (end == std::wstring::npos)
            end = plain.size();
        const std::wstring name = plain.substr(start, end - start);
        if (name == L"..") {
            if (!names.empty())
                names.pop_back();
        } else if (!name.empty() && name != L".") {
            names.push_back(name);
        }
        start = end + 1;
    }
    for (size_t i = 0; i < names.size(); ++i)
        full += (i ? L"\\" : L"") + names[i];
    return full;
}

bool EndsInDotOrSpace(const std::wstring& name)
{
    return !name.empty() && (name.back() == L'.' || name.back() == L' ') && name != L"." && name != L"..";
}

// A name the platform would trim: one that ends in a dot or a space.
bool HasNameThePlatformTrims(const std::wstring& literal)
{
    size_t start = PathRoot(literal).size();
    while (start < literal.size()) {
        size_t end = literal.find(L'\\', start);
        if (end == std::wstring::npos)
            end = literal.size();
        if (EndsInDotOrSpace(literal.substr(start, end - start)))
            return true;
        start = end + 1;
    }
    return false;
}

// The checks both readings share, and the platform's full form.
std::optional<std::wstring> PlatformFullPath(const std::wstring& path)
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

} // namespace

std::optional<std::wstring> NormalizeSelectedPath(const std::wstring& path)
{
    std::optional<std::wstring> full = PlatformFullPath(path);
    if (!full)
        return std::nullopt;
    // The platform's form trims a trailing dot or space: "report." would
    // become "report", which may be another file.
    const std::wstring literal = LiteralFullPath(fx::WithoutExtendedPrefix(path));
    if (HasNameThePlatformTrims(literal))
        return ExtendedForm(literal);
    return full;
}

std::optional<std::wstring> NormalizeTypedPath(const std::wstring& path)
{
    return PlatformFullPath(path);
}

std::wstring ExtendedForm(const std::wstring& fullPath)
{
    if (HasDriveRoot(fullPath))
        return L"\\\\?\\" + fullPath;
    if (UncRootLength(fullPath))
        return L"\\\\?\\UNC\\" + fullPath.substr(2);
    return fullPath;
}

std::wstring PathRoot(const std::wstring& given)
{
    const std::wstring path = fx::WithoutExtendedPrefix(given);
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

std::wstring ItemName(const std::wstring& path)
{
    std::wstring plain = fx::WithoutExtendedPrefix(path);
    while (plain.size() > 1 && (plain.back() == L'\\' || plain.back() == L'/'))
        plain.pop_back();
    const size_t separator = plain.find_last_of(L"\\/");
    return separator == std::wstring::npos ? plain : plain.substr(separator + 1);
}

std::wstring WithoutExtension(const std::wstring& name)
{
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}
