// printf-style formatting into std::wstring (GCC 12 has no <format>).
// Wide string arguments take %ls, which means the same to every C runtime.
#pragma once
#include <string>

namespace fx {

std::wstring Format(const wchar_t* format, ...);

} // namespace fx
