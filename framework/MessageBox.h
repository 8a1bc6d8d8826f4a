// Message boxes go through one function so that the programs' tests can see
// and answer them without a person at the screen.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

namespace fx {

// Shows a message box; the caption defaults to the program's name.
int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);
int MessageBox(HWND owner, const std::wstring& text, UINT type = MB_OK);

using MessageBoxHandler = std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)>;
// Replaces the real message box (tests); an empty handler restores it.
void SetMessageBoxHandler(MessageBoxHandler handler);

} // namespace fx
