// launch <program.exe> [path ...]
// Hands a selection to one of our programs the way the shell integration
// does: the paths go on the clipboard as a CF_HDROP list, then the program
// starts with no arguments. The launcher stays until the program has taken
// the list off the clipboard (or has ended), so the data lives long enough.
// With --wait it stays until the program ends and returns its exit code.
#include "common/DropList.h"
#include "framework/Handle.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

int Fail(const wchar_t* what)
{
    std::fwprintf(stderr, L"launch: %ls (error %lu)\n", what, ::GetLastError());
    return 2;
}

bool PutOnClipboard(HWND owner, const std::vector<std::wstring>& paths)
{
    fx::CGlobalMemory list(MakeDropList(paths));
    if (!list)
        return false;
    fx::CClipboard clipboard(owner);
    if (!clipboard.IsOpen() || !::EmptyClipboard())
        return false;
    if (!::SetClipboardData(CF_HDROP, list.Get()))
        return false;
    list.Release(); // the clipboard owns it now
    return true;
}

// Waits until the clipboard changes hands or the program ends, pumping our
// own messages so that clipboard requests to the owner window are answered.
void WaitForHandOver(HANDLE process, DWORD sequence)
{
    const DWORD limit = ::GetTickCount() + 30000;
    while (::GetClipboardSequenceNumber() == sequence && ::GetTickCount() < limit) {
        if (::MsgWaitForMultipleObjects(1, &process, FALSE, 50, QS_ALLINPUT) == WAIT_OBJECT_0)
            return;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int first = 1;
    bool wait = false;
    if (argc > 1 && std::wstring(argv[1]) == L"--wait") {
        wait = true;
        ++first;
    }
    if (argc <= first) {
        std::fwprintf(stderr, L"usage: launch [--wait] <program.exe> [path ...]\n");
        return 2;
    }
    std::wstring program = argv[first];
    std::vector<std::wstring> paths(argv + first + 1, argv + argc);

    HWND owner = ::CreateWindowExW(0, L"STATIC", L"launch", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!PutOnClipboard(owner, paths))
        return Fail(L"cannot put the selection on the clipboard");
    DWORD sequence = ::GetClipboardSequenceNumber();

    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return Fail(L"cannot start the program");
    fx::CKernelHandle process(pi.hProcess), thread(pi.hThread);

    WaitForHandOver(process.Get(), sequence);
    ::DestroyWindow(owner);
    if (!wait)
        return 0;
    ::WaitForSingleObject(process.Get(), INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process.Get(), &code);
    return static_cast<int>(code);
}
