// Paths of any length for the file APIs. Windows passes paths of MAX_PATH
// characters or more to the file system only in the extended-length form
// ("\\?\C:\...", "\\?\UNC\server\share\..."), unless long paths are enabled
// for the whole machine; the programs hand the file APIs that form.
#pragma once
#include <string>

namespace fx {

// The extended-length form of a full path that needs it; any other path as it is.
std::wstring ExtendedLengthPath(const std::wstring& path);
// A path as the user knows it: without the extended-length prefix.
std::wstring WithoutExtendedPrefix(const std::wstring& path);

} // namespace fx
