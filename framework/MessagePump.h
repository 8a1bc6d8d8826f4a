// Dispatching this thread's messages while it waits for something else,
// handing a WM_QUIT on to the loop outside.
#pragma once
#include <windows.h>

namespace fx {

class CMessagePump {
public:
    // Dispatches every message waiting now, through CWinApp::PreTranslate
    // as the message loops do. False once a WM_QUIT was taken: it is posted
    // again for the loop outside, and the caller should stop its work.
    bool Pump();

private:
    bool m_quitSeen = false;
};

// Waits until `handle` is signalled or limitMs pass, dispatching this
// thread's messages meanwhile: the thread counts as waiting for input, as the
// shell may wait for a program it started to be before it goes on. True when
// the handle was signalled (or abandoned, for a mutex).
bool WaitPumping(HANDLE handle, DWORD limitMs);

} // namespace fx
