// The drive Dovrin starts on when the selection names none.
#pragma once
#include <string>

// The root of the process's current directory ("C:\", "\\server\share\").
std::wstring CurrentDriveRoot();
