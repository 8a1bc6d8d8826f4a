// Paths as the benchmarks' Windows programs see them under Wine.
#pragma once
#include <algorithm>
#include <string>

namespace bench {

// A Linux path as Wine programs see it (the Linux root is drive Z:); a
// Windows path stays as it is.
inline std::wstring WindowsPath(const std::wstring& path)
{
    if (path.empty() || path[0] != L'/')
        return path;
    std::wstring windows = L"Z:" + path;
    std::replace(windows.begin(), windows.end(), L'/', L'\\');
    return windows;
}

// The same for a path the build wrote into the program (plain ASCII).
inline std::wstring WindowsPath(const char* path)
{
    std::wstring wide;
    for (const char* c = path; *c; ++c)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    return WindowsPath(wide);
}

} // namespace bench
