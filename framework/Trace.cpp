#include "framework/Trace.h"

#include "framework/Format.h"
#include "framework/Handle.h"

#include <exception>

namespace fx {

std::wstring SystemErrorText(DWORD error)
{
    CLocalMemory<wchar_t*> text;
    // With FORMAT_MESSAGE_ALLOCATE_BUFFER the buffer argument receives the
    // address of the text the system allocated.
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(text.Put()), 0, nullptr);
    std::wstring message = text ? std::wstring(text.Get(), length) : std::wstring();
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return message.empty() ? L"error " + std::to_wstring(error) : message;
}

void Trace(const std::wstring& what) noexcept
{
    try {
        ::OutputDebugStringW((what + L"\n").c_str());
    } catch (...) {
        ::OutputDebugStringW(what.c_str()); // no memory for the line break
    }
}

void TraceLastError(const std::wstring& what) noexcept
{
    const DWORD error = ::GetLastError();
    try {
        Trace(what + L" (error " + std::to_wstring(error) + L": " + SystemErrorText(error) + L")");
    } catch (...) {
        Trace(what);
    }
}

void TraceCaughtException(const wchar_t* where) noexcept
{
    try {
        std::wstring line = std::wstring(where) + L": exception caught";
        if (const std::exception_ptr caught = std::current_exception()) {
            try {
                std::rethrow_exception(caught);
            } catch (const std::exception& e) {
                line += L": " + Widen(e.what());
            } catch (...) {
            }
        }
        Trace(line);
    } catch (...) {
        ::OutputDebugStringW(where);
    }
}

} // namespace fx
