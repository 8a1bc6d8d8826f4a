#include "launcher/GivenPaths.h"

#include "common/SelectedPath.h"
#include "framework/LongPath.h"

#include <windows.h>

#include <iterator>

namespace launcher {

std::vector<std::wstring> SplitCommandLine(std::wstring_view line)
{
    std::vector<std::wstring> arguments;
    std::wstring current;
    bool inArgument = false, quoted = false;
    for (size_t i = 0; i < line.size();) {
        const wchar_t c = line[i];
        if (c == L'\\') {
            size_t run = 0;
            while (i < line.size() && line[i] == L'\\') {
                ++run;
                ++i;
            }
            if (i < line.size() && line[i] == L'"')
                run = (run + 1) / 2;
            current.append(run, L'\\');
            inArgument = true;
        } else if (c == L'"') {
            quoted = !quoted;
            inArgument = true; // "" is an argument, an empty one
            ++i;
        } else if ((c == L' ' || c == L'\t') && !quoted) {
            if (inArgument)
                arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
            ++i;
        } else {
            current += c;
            inArgument = true;
            ++i;
        }
    }
    if (inArgument)
        arguments.push_back(std::move(current));
    return arguments;
}

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// The device namespaces, whatever the slashes: "\\.\..." always, "\\?\..."
// unless it is the extended form of a drive or UNC path.
bool IsDeviceNamespace(const std::wstring& path)
{
    if (path.size() < 4 || !IsSeparator(path[0]) || !IsSeparator(path[1]) || !IsSeparator(path[3]))
        return false;
    if (path[2] == L'.')
        return true;
    if (path[2] != L'?')
        return false;
    std::wstring backslashed = path;
    for (wchar_t& c : backslashed)
        if (c == L'/')
            c = L'\\';
    return fx::WithoutExtendedPrefix(backslashed) == backslashed;
}

} // namespace

GivenPath ReadGivenPath(const std::wstring& given)
{
    if (given.empty())
        return {given, Refusal::Empty};
    if (given.size() > kLongestPath)
        return {given, Refusal::TooLong};
    if (IsDeviceNamespace(given))
        return {given, Refusal::Device};
    // The extended-length prefix holds a '?' of its own.
    const std::wstring plain = fx::WithoutExtendedPrefix(given);
    if (plain.find_first_of(L"*?") != std::wstring::npos)
        return {given, Refusal::Wildcard};
    if (plain.find_first_of(L"<>|\"") != std::wstring::npos)
        return {given, Refusal::NotAPath};
    const std::optional<std::wstring> full = fx::FullPath(plain);
    if (!full)
        return {given, Refusal::NotAPath};
    // The platform names a reserved device by its device path, also inside a
    // folder ("C:\dir\NUL" -> "\\.\NUL").
    if (IsDeviceNamespace(*full))
        return {given, Refusal::Device};
    if (full->size() > kLongestPath)
        return {given, Refusal::TooLong};
    const std::optional<std::wstring> normalized = NormalizeSelectedPath(*full);
    if (!normalized)
        return {given, Refusal::NotAPath};
    return {*normalized, Refusal::None};
}

std::wstring DescribeRefusal(Refusal refusal)
{
    // In the order of the reasons; a value from outside past the last reads
    // as the most general one.
    static const wchar_t* const kReasons[] = {
        L"is handed over",
        L"is empty",
        L"is longer than any path can be (32,767 characters)",
        L"is a wildcard pattern, not one item",
        L"is a device, not a file or folder",
        L"names no file or folder",
        L"may have been cut short: the command line reached its limit of 32,767 characters",
    };
    static_assert(std::size(kReasons) == static_cast<size_t>(Refusal::Last) + 1, "one text per reason");
    const auto index = static_cast<size_t>(refusal);
    return index < std::size(kReasons) ? kReasons[index] : kReasons[static_cast<size_t>(Refusal::NotAPath)];
}

} // namespace launcher
