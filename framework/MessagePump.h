// Long work on the user-interface thread (a walk of a big folder tree) lets
// the windows live by dispatching their messages now and then. Calling
// PumpIfDue once per item is cheap: it pumps only when the interval has
// passed, so the work does not pay for a PeekMessage per item.
//
//   fx::CMessagePump pump;
//   fx::CWindowGuard guard(*this);
//   for (const auto& item : items) {
//       Work(item);
//       if (!pump.PumpIfDue() || !guard.IsAlive())
//           return; // the program is ending, or our window was closed
//   }
#pragma once
#include <windows.h>

namespace fx {

class CMessagePump {
public:
    // Often enough that windows repaint and answer without visible delay.
    static constexpr DWORD kDefaultIntervalMs = 30;

    explicit CMessagePump(DWORD intervalMs = kDefaultIntervalMs) noexcept;

    // Pumps when intervalMs have passed since the last pump (or since the
    // pump was made). False once a WM_QUIT was taken: it is posted again for
    // the loop outside, and the caller should stop its work.
    bool PumpIfDue();
    // Dispatches every message waiting now, through CWinApp::PreTranslate
    // as the message loops do. Same result as PumpIfDue.
    bool Pump();

private:
    DWORD m_intervalMs;
    ULONGLONG m_lastPump;
    bool m_quitSeen = false;
};

// Waits until `handle` is signalled or limitMs pass, dispatching this
// thread's messages meanwhile: the thread counts as waiting for input, as the
// shell may wait for a program it started to be before it goes on. True when
// the handle was signalled (or abandoned, for a mutex).
bool WaitPumping(HANDLE handle, DWORD limitMs);

} // namespace fx
