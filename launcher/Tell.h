// What the launcher says: on stderr for the scripts, in a message box for the
// user.
#pragma once
#include <windows.h>

#include <string>

namespace launcher {

inline constexpr wchar_t kCaption[] = L"Corvale launcher";

void Say(const std::wstring& text);
// Says it, and shows it in a box until the user answers.
void Tell(UINT icon, const std::wstring& text);
// "Fennix" for "C:\...\Fennix.exe".
std::wstring ProgramName(const std::wstring& program);
// The system's words for an error; its "%1" (the file) reads as `file`.
std::wstring SystemMessage(DWORD error, const std::wstring& file);

} // namespace launcher
