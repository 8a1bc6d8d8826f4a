// The shell's large icon of an item, owned from the moment the shell hands
// it over.
#pragma once
#include "framework/Handle.h"

#include <string>

namespace fennix {

// Empty when the shell has no icon for the path.
fx::CIconHandle ShellLargeIcon(const std::wstring& path);

} // namespace fennix
