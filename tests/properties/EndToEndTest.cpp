// Starts the real Fennix.exe through the launcher, as the shell integration does.
#include "framework/Handle.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace testing_support;

// Build-tree paths are Linux paths; Wine sees the Linux root as drive Z:.
std::wstring WindowsPath(const char* path)
{
    std::wstring result(path, path + std::char_traits<char>::length(path));
    for (wchar_t& c : result)
        if (c == L'/')
            c = L'\\';
    return result.rfind(L"\\", 0) == 0 ? L"Z:" + result : result;
}

HWND WaitForWindow(const wchar_t* className, const wchar_t* title, HANDLE process)
{
    // Waits for a condition, bounded: the program's window to exist.
    const DWORD limit = ::GetTickCount() + 30000;
    while (::GetTickCount() < limit) {
        if (HWND hwnd = ::FindWindowW(className, title); hwnd && ::IsWindowVisible(hwnd))
            return hwnd;
        if (::WaitForSingleObject(process, 20) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

TEST(EndToEnd, LauncherHandsTwoPathsToFennix)
{
    TempDir temp;
    std::wstring a = temp.MakeFile(L"first.txt"), b = temp.MakeFile(L"second file.txt");
    std::wstring command = L"\"" + WindowsPath(LAUNCH_EXE) + L"\" --wait \"" + WindowsPath(FENNIX_EXE) + L"\" \"" +
                           a + L"\" \"" + b + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    fx::CKernelHandle launcher(pi.hProcess), thread(pi.hThread);

    HWND frame = WaitForWindow(L"fx.Frame", L"Property Sheet", launcher.Get());
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(ClipboardIsEmpty());
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    ASSERT_EQ(::WaitForSingleObject(launcher.Get(), 30000), WAIT_OBJECT_0);
    DWORD code = 99;
    ::GetExitCodeProcess(launcher.Get(), &code);
    EXPECT_EQ(code, 0u);
}

} // namespace
