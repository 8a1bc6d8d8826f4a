#include "framework/WorkerThread.h"

namespace fx {

void CWorkerThread::Start(Body body)
{
    Stop();
    m_stopRequested = false;
    m_done.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HANDLE done = m_done.Get();
    m_thread = std::thread([this, done, body = std::move(body)] {
        try {
            body(m_stopRequested);
        } catch (...) {
            // A worker's failure must not take the program down with it.
        }
        ::SetEvent(done);
    });
}

void CWorkerThread::Stop()
{
    if (!m_thread.joinable())
        return;
    m_stopRequested = true;
    HANDLE done = m_done.Get();
    while (::MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        // Peeking delivers the messages sent to this thread's windows.
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    m_thread.join();
}

} // namespace fx
