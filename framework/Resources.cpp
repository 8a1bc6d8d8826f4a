#include "framework/Resources.h"

namespace fx {

std::wstring LoadString(UINT id)
{
    const wchar_t* text = nullptr;
    // A buffer size of 0 asks for a read-only pointer into the resource itself.
    int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

} // namespace fx
