// Drive roots as Dovrin names drives: the first three characters of a full
// path, "C:\" (kept as given: "c:\" stays lower-case).
#pragma once
#include <string>

std::wstring DriveRootOf(const std::wstring& path);
// The root of the process's current directory.
std::wstring CurrentDriveRoot();
