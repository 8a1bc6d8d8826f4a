// wintool wait <title>   waits (up to 30 s) for a visible top-level window
//                        whose title starts with <title>; prints "x y w h"
// wintool close <title>  sends it WM_CLOSE
// wintool dismiss <title> waits (up to 30 s) for such a window, then sends it WM_CLOSE
// wintool present <title> waits (up to 30 s) for such a window, hidden or not
// wintool press <title> <id> waits (up to 30 s) for such a window, then
//                        clicks its button <id> (posted, as a click is);
//                        the button may lie in a page or a child dialog
// wintool settext <title> <id> <text> waits for such a window and gives
//                        its control <id> the text, as typing it would
// Used by the scripts that photograph a program and end it.
#include "framework/Handle.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    std::wstring prefix;
    bool visibleOnly = true;
    HWND found = nullptr;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM lp)
{
    auto* search = reinterpret_cast<Search*>(lp);
    if (search->visibleOnly && !::IsWindowVisible(hwnd))
        return TRUE;
    wchar_t title[256] = L"";
    ::GetWindowTextW(hwnd, title, 256);
    if (std::wstring(title).rfind(search->prefix, 0) != 0)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND Find(const std::wstring& prefix, bool visibleOnly, DWORD waitMs)
{
    Search search{prefix, visibleOnly};
    const DWORD end = ::GetTickCount() + waitMs;
    for (;;) {
        ::EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
        if (search.found || ::GetTickCount() >= end)
            return search.found;
        ::Sleep(100);
    }
}

// The control with the id anywhere inside the window: the window's own
// children first, as GetDlgItem finds them, then those of pages and panes.
HWND FindControl(HWND window, int id)
{
    if (HWND direct = ::GetDlgItem(window, id))
        return direct;
    struct Lookup {
        int id;
        HWND found = nullptr;
    } lookup{id};
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM lp) -> BOOL {
            auto* lookup = reinterpret_cast<Lookup*>(lp);
            if (::GetDlgCtrlID(child) != lookup->id || !::IsWindowVisible(child))
                return TRUE;
            lookup->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&lookup));
    return lookup.found;
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
