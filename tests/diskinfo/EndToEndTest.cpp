// Starts the real Dovrin.exe through the launcher, as the shell integration does.
#include "framework/Handle.h"
#include "tests/diskinfo/DovrinFixture.h"

namespace {

using namespace testing_support;

HWND WaitForWindow(const wchar_t* title, HANDLE process)
{
    // Waits for a condition, bounded: the program's window to exist.
    const DWORD limit = ::GetTickCount() + 30000;
    while (::GetTickCount() < limit) {
        if (HWND hwnd = ::FindWindowW(L"#32770", title); hwnd && ::IsWindowVisible(hwnd))
            return hwnd;
        if (::WaitForSingleObject(process, 20) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

TEST(EndToEnd, LauncherHandsAPathOnDriveCToDovrin)
{
    TempDir temp;
    const std::wstring file = temp.MakeFile(L"on drive c.txt");
    ASSERT_EQ(file.substr(0, 3), L"C:\\");
    std::wstring command =
        L"\"" + WindowsPath(LAUNCH_EXE) + L"\" --wait \"" + WindowsPath(DOVRIN_EXE) + L"\" \"" + file + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    fx::CKernelHandle launcher(pi.hProcess), thread(pi.hThread);

    HWND dialog = WaitForWindow(L"Dovrin->Drive C", launcher.Get());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(ClipboardIsEmpty());
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_EQ(::WaitForSingleObject(launcher.Get(), 30000), WAIT_OBJECT_0);
    DWORD code = 99;
    ::GetExitCodeProcess(launcher.Get(), &code);
    EXPECT_EQ(code, 0u);
}

} // namespace
