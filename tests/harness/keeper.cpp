// Keeps one Wine GUI process alive for the length of a test run: it keeps the
// Wine desktop (and so clipboard data) alive between processes and makes
// program starts fast. It shows nothing and ends when its window is closed
// or the wineserver stops.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    HWND window = ::CreateWindowExW(0, L"STATIC", L"test keeper", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    while (window && ::IsWindow(window) && ::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    return 0;
}
