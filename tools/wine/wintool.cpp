// For the scripts that photograph a program and end it. Each command but close first waits (up to
// 30 s) for a visible top-level window whose title starts with <title> (present: hidden or not).
//   wait <title>                 prints its "x y w h"     close|dismiss <title>   sends it WM_CLOSE
//   present <title>              only waits               press <title> <id>      clicks (posts) its button
//   settext <title> <id> <text>  gives its control the text, as typing would (a control in a page too)
#include "framework/Handle.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>

namespace {

struct Search {
    std::wstring prefix;
    bool visibleOnly = true;
    HWND found = nullptr;
};

HWND Find(const std::wstring& prefix, bool visibleOnly, DWORD waitMs)
{
    Search search{prefix, visibleOnly};
    const auto match = [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* search = reinterpret_cast<Search*>(lp);
        wchar_t title[256] = L"";
        ::GetWindowTextW(hwnd, title, 256);
        if ((search->visibleOnly && !::IsWindowVisible(hwnd)) || std::wstring(title).rfind(search->prefix, 0) != 0)
            return TRUE;
        search->found = hwnd;
        return FALSE;
    };
    for (const DWORD end = ::GetTickCount() + waitMs;; ::Sleep(100)) { // another process: nothing to wait on
        ::EnumWindows(match, reinterpret_cast<LPARAM>(&search));
        if (search.found || ::GetTickCount() >= end)
            return search.found;
    }
}

// The control with the id anywhere inside the window: the window's own
// children first, as GetDlgItem finds them, then those of pages and panes.
HWND FindControl(HWND window, int id)
{
    if (HWND direct = ::GetDlgItem(window, id))
        return direct;
    std::pair<int, HWND> lookup{id, nullptr};
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM lp) -> BOOL {
            auto* lookup = reinterpret_cast<std::pair<int, HWND>*>(lp);
            const bool it = ::GetDlgCtrlID(child) == lookup->first && ::IsWindowVisible(child);
            lookup->second = it ? child : nullptr;
            return !it;
        },
        reinterpret_cast<LPARAM>(&lookup));
    return lookup.second;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (argc != (command == L"press" ? 4 : command == L"settext" ? 5 : 3)) {
        std::fwprintf(stderr, L"usage: wintool wait|close|dismiss|present <title> | wintool press <title> <id> | "
                              L"wintool settext <title> <id> <text>\n");
        return 2;
    }
    HWND hwnd = Find(argv[2], command != L"present", command == L"close" ? 0 : 30000);
    if (!hwnd) {
        std::fwprintf(stderr, L"wintool: no window titled %ls\n", argv[2]);
        return 1;
    }
    if (command == L"present")
        return 0;
    if (command == L"press" || command == L"settext") {
        const int id = _wtoi(argv[3]);
        HWND control = FindControl(hwnd, id);
        if (!control) {
            std::fwprintf(stderr, L"wintool: no control %d in %ls\n", id, argv[2]);
            return 1;
        }
        if (command == L"settext")
            ::SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
        else
            ::PostMessageW(::GetParent(control), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                           reinterpret_cast<LPARAM>(control));
        return 0;
    }
    if (command == L"close" || command == L"dismiss") {
        ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
        return 0;
    }
    // Let the window finish painting before anyone looks at it.
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (const fx::CKernelHandle process{::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid)})
        ::WaitForInputIdle(process.Get(), 5000);
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    std::printf("%ld %ld %ld %ld\n", rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    return 0;
}
