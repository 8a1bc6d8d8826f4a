// How the programs read a path that reached them in a selection: one
// normalised form for every path, and the root of the drive or share it is on.
#pragma once
#include <optional>
#include <string>

// The full form of a selected path ("/" read as "\", "." and ".." resolved,
// an extended-length prefix dropped), naming exactly the item the path
// named: a name that ends in a dot or a space (network shares and Linux
// drives hold them) keeps it, and the path then comes back in the
// extended-length form, the only form the file APIs take literally. None for
// a path that names no file: a relative path (a selection names files, not
// places relative to wherever the program happens to run), a device ("NUL",
// "COM1", "\\.\CON"), a wildcard pattern, which the file APIs would match
// against other files, or a path longer than any file system takes (32,767
// characters).
std::optional<std::wstring> NormalizeSelectedPath(const std::wstring& path);

// A path the user typed, read as the platform reads typed text: full, and a
// name's trailing dots and spaces dropped ("D:\dest " is D:\dest). The same
// refusals as a selected path.
std::optional<std::wstring> NormalizeTypedPath(const std::wstring& path);

// The extended-length form of a full path ("\\?\C:\...", "\\?\UNC\...").
std::wstring ExtendedForm(const std::wstring& fullPath);

// The root of a full path: "X:\" for a drive path (the letter as given),
// "\\server\share\" for a network path, also for their extended-length
// forms; empty for anything else.
std::wstring PathRoot(const std::wstring& path);

// The item's own name: what follows the last "\" or "/" of a path, a
// trailing separator ignored, the extended-length prefix dropped ("report"
// for "C:\docs\report\", "C:" for the drive root "C:\", "share" for
// "\\server\share\").
std::wstring ItemName(const std::wstring& path);

// A file name without its extension: "notes" for "notes.txt" and for
// "notes"; a name whose only dot leads it (".profile") has no extension and
// stays whole.
std::wstring WithoutExtension(const std::wstring& name);
