// The installation as the tests see it from outside: the installer run
// silently into this test prefix, the registry and folders it writes, and the
// programs it starts.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <optional>
#include <string>

namespace installation {

extern const wchar_t kUninstallKey[];

std::wstring KnownFolder(REFKNOWNFOLDERID id);
bool Exists(const std::wstring& path);
bool KeyExists(const std::wstring& key);
std::optional<std::wstring> RegString(const std::wstring& key, const wchar_t* name);

// Runs the installer silently; true when it succeeded.
bool Install();
// Runs the uninstaller silently, if there is an installation, and waits
// until it is done: it carries on from a copy of itself and takes the entry
// away last.
bool Uninstall(const std::wstring& options = L"");
// Where the installer puts the programs.
std::wstring InstallFolder();

// A visible top-level window of the class whose title is the given one.
HWND VisibleWindow(const wchar_t* className, const wchar_t* title);
// Closes a program by its window and waits for its process to end.
bool CloseProgram(HWND window);

} // namespace installation
