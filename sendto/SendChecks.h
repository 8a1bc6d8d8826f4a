// Decisions about a send made from paths and figures alone, before anything
// is touched: where an item lands, and which items must not be sent.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace larkway {

// Where a selected item lands in the destination folder (in the
// extended-length form where its name ends in a dot or a space).
std::wstring TargetPath(const std::wstring& source, const std::wstring& destination);

// The selected items that share their name with another selected item: both
// would land on the same path in the destination folder.
std::vector<std::wstring> ItemsSharingAName(const std::vector<std::wstring>& sources);

// Paths for a message: each on a line of its own, after a line break.
std::wstring PathLines(const std::vector<std::wstring>& paths);

// FAT file systems keep a file's size in 32 bits: 4 GiB and more cannot be stored.
bool FileSystemCannotHold(const std::wstring& fileSystemName, uint64_t fileBytes);

} // namespace larkway
