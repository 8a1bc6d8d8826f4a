// A trail for bug reports. A failure the programs swallow (an exception that
// must not unwind through the system) or tell the user about in a message
// box is also written as a line of debug output, with the system's own words
// for its error: a debugger, DebugView or Wine's debug channel shows it.
// Nothing is written to disk, nothing is shown to the user.
#pragma once
#include <windows.h>
#include <string>

namespace fx {

// The system's text for an error code, without the line break it ends with;
// "error <n>" when the system has none.
std::wstring SystemErrorText(DWORD error);

// Writes what as one line of debug output.
void Trace(const std::wstring& what) noexcept;
// Writes what with the calling thread's last error, its number and text.
// The error is read first, before anything here could change it.
void TraceLastError(const std::wstring& what) noexcept;
// For a catch-all: writes where it caught, and the exception's own text
// when the exception being handled is a std::exception.
void TraceCaughtException(const wchar_t* where) noexcept;

} // namespace fx
