// Keeps one Wine GUI process, and so the desktop and the clipboard's data, alive through a test run,
// making program starts fast; shows nothing, and ends with its window or the wineserver.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    HWND window = ::CreateWindowExW(0, L"STATIC", L"test keeper", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    while (window && ::IsWindow(window) && ::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    return 0;
}
