// How the programs read a path that reached them in a selection: one
// normalised form for every path, and the root of the drive or share it is on.
#pragma once
#include <optional>
#include <string>

// The full form of a selected path ("/" read as "\", "." and ".." resolved,
// an extended-length prefix dropped). None for a path that names no file: a
// relative path (a selection names files, not places relative to wherever
// the program happens to run), a device ("NUL", "COM1", "\\.\CON"), a
// wildcard pattern, which the file APIs would match against other files, or
// a path longer than any file system takes (32,767 characters).
std::optional<std::wstring> NormalizeSelectedPath(const std::wstring& path);

// The root of a full path: "X:\" for a drive path (the letter as given),
// "\\server\share\" for a network path; empty for anything else.
std::wstring PathRoot(const std::wstring& path);
