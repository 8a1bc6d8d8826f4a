#include "framework/MessagePump.h"

#include "framework/App.h"

namespace fx {

CMessagePump::CMessagePump(DWORD intervalMs) noexcept : m_intervalMs(intervalMs), m_lastPump(::GetTickCount64())
{
}

bool CMessagePump::PumpIfDue()
{
    if (m_quitSeen)
        return false;
    if (::GetTickCount64() - m_lastPump < m_intervalMs)
        return true;
    return Pump();
}

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
    m_lastPump = ::GetTickCount64();
    return !m_quitSeen;
}

} // namespace fx
