#include "framework/MessagePump.h"

#include "framework/App.h"

namespace fx {

bool CMessagePump::Pump()
{
    if (m_quitSeen)
        return false;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The quit belongs to the loop this work runs inside of.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_quitSeen = true;
            break;
        }
        CWinApp::RouteMessage(msg);
    }
    return !m_quitSeen;
}

bool WaitPumping(HANDLE handle, DWORD limitMs)
{
    const ULONGLONG end = ::GetTickCount64() + limitMs;
    CMessagePump pump;
    bool pumping = true;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        const DWORD wait = now < end ? static_cast<DWORD>(end - now) : 0;
        const DWORD got = pumping ? ::MsgWaitForMultipleObjects(1, &handle, FALSE, wait, QS_ALLINPUT)
                                  : ::WaitForSingleObject(handle, wait);
        if (got == WAIT_OBJECT_0 || got == WAIT_ABANDONED_0)
            return true;
        if (got != WAIT_OBJECT_0 + 1)
            return false;
        // A quit stays queued for the loop outside: from then on only the
        // handle is waited for.
        pumping = pump.Pump();
    }
}

} // namespace fx
