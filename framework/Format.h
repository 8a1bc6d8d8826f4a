// printf-style formatting into std::wstring (GCC 12 has no <format>).
// Wide string arguments take %ls, which means the same to every C runtime.
#pragma once
#include <string>

namespace fx {

std::wstring Format(const wchar_t* format, ...);

// Text of the ANSI code page (an exception's what()) as wide text.
std::wstring Widen(const char* text);

} // namespace fx
