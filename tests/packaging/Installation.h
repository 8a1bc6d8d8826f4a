// The installation as the tests see it from outside: the installer run
// silently into this test prefix, the registry and folders it writes, and the
// programs it starts.
#pragma once
#include "framework/Handle.h"
#include "tests/support/TestSupport.h"

#include <windows.h>
#include <shlobj.h>

#include <optional>
#include <string>

namespace installation {

inline const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\CorvaleShellUtilities";

inline std::wstring KnownFolder(REFKNOWNFOLDERID id)
{
    wchar_t* path = nullptr;
    std::wstring result;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &path)))
        result = path;
    ::CoTaskMemFree(path);
    return result;
}

inline bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool KeyExists(const std::wstring& key)
{
    HKEY opened = nullptr;
    const bool exists = ::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS;
    fx::CRegKey closed(opened);
    return exists;
}

inline std::optional<std::wstring> RegString(const std::wstring& key, const wchar_t* name)
{
    wchar_t value[4096] = L"";
    DWORD bytes = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

// Starts a command line as the shell starts a program; the process, if it started.
inline fx::CKernelHandle Start(std::wstring commandLine)
{
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return fx::CKernelHandle();
    ::CloseHandle(pi.hThread);
    return fx::CKernelHandle(pi.hProcess);
}

// Runs the installer silently; true when it succeeded.
inline bool Install()
{
    fx::CKernelHandle installer = Start(L"\"" + testing_support::WindowsPath(INSTALLER_EXE) + L"\" /S");
    DWORD code = 99;
    if (installer && ::WaitForSingleObject(installer.Get(), 60000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(installer.Get(), &code);
    return code == 0;
}

// Runs the uninstaller silently, if there is an installation, and waits until
// it is done: it carries on from a copy of itself and takes the entry away last.
inline bool Uninstall(const std::wstring& options = L"")
{
    const std::optional<std::wstring> quiet = RegString(kUninstallKey, L"QuietUninstallString");
    if (!quiet)
        return true;
    const std::wstring folder = RegString(kUninstallKey, L"InstallLocation").value_or(L"");
    fx::CKernelHandle uninstaller = Start(*quiet + L" " + options);
    return uninstaller &&
           testing_support::PollUntil([&folder] { return !KeyExists(kUninstallKey) && !Exists(folder); }, 30000);
}

// Where the installer puts the programs.
inline std::wstring InstallFolder()
{
    return KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Corvale";
}

// A visible top-level window of the class whose title is the given one.
inline HWND VisibleWindow(const wchar_t* className, const wchar_t* title)
{
    HWND hwnd = ::FindWindowW(className, title);
    return hwnd && ::IsWindowVisible(hwnd) ? hwnd : nullptr;
}

// Closes a program by its window and waits for its process to end.
inline bool CloseProgram(HWND window)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    fx::CKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    return process && ::WaitForSingleObject(process.Get(), 20000) == WAIT_OBJECT_0;
}

} // namespace installation
