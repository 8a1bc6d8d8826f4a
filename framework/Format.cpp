#include "framework/Format.h"

#include <windows.h>

#include <cstdarg>
#include <cwchar>

namespace fx {

std::wstring Format(const wchar_t* format, ...)
{
    std::wstring result(64, L'\0');
    for (;;) {
        va_list args;
        va_start(args, format);
        int n = std::vswprintf(result.data(), result.size() + 1, format, args);
        va_end(args);
        if (n >= 0 && static_cast<size_t>(n) <= result.size()) {
            result.resize(static_cast<size_t>(n));
            return result;
        }
        // vswprintf reports only failure on overflow, not the size it needs.
        if (result.size() > (1u << 20))
            return std::wstring();
        result.resize(result.size() * 4);
    }
}

std::wstring Widen(const char* text)
{
    int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (n <= 1)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), n);
    wide.resize(static_cast<size_t>(n - 1));
    return wide;
}

} // namespace fx
