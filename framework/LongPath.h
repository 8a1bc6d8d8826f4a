// Paths of any length for the file APIs. Windows passes paths of MAX_PATH
// characters or more to the file system only in the extended-length form
// ("\\?\C:\...", "\\?\UNC\server\share\..."), unless long paths are enabled
// for the whole machine; the programs hand the file APIs that form.
#pragma once
#include <optional>
#include <string>

namespace fx {

// The full form of a path: "/" read as "\", "." and ".." resolved, as the
// file system would resolve them. A path in the extended-length form comes
// back in the form a user knows. None when the platform cannot make one.
std::optional<std::wstring> FullPath(const std::wstring& path);
// The extended-length form of a path that needs it, built from its full form
// (that form takes every character literally, so ".." must be gone first);
// any other path as it is.
std::wstring ExtendedLengthPath(const std::wstring& path);
// A path as the user knows it: without the extended-length prefix.
std::wstring WithoutExtendedPrefix(const std::wstring& path);

} // namespace fx
