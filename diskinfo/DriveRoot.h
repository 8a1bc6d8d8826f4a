// The drive Dovrin starts on when the selection names none.
#pragma once
#include <string>

namespace dovrin {

// The root of the process's current directory ("C:\", "\\server\share\").
std::wstring CurrentDriveRoot();

} // namespace dovrin
