// Reading the program's own resources.
#pragma once
#include <windows.h>
#include <string>

namespace fx {

// A string of the program's string table; empty when there is none.
std::wstring LoadString(UINT id);

} // namespace fx
