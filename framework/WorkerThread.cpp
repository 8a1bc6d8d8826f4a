#include "framework/WorkerThread.h"

#include "framework/Trace.h"


namespace fx {

void CWorkerThread::Start(Body body)
{
    Stop();
    m_state = std::make_shared<State>();
    m_state->done.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_thread = std::thread([state = m_state, body = std::move(body)] {
        Run(*state, body);
        ::SetEvent(state->done.Get());
    });
}

// A worker's failure must not take the program down with it.
void CWorkerThread::Run(State& state, const Body& body)
{
    try {
        body(state.stopRequested);
    } catch (...) {
        TraceCaughtException(L"background work");
    }
}

bool CWorkerThread::IsRunning() const
{
    return m_thread.joinable() && ::WaitForSingleObject(m_state->done.Get(), 0) == WAIT_TIMEOUT;
}

void CWorkerThread::Stop()
{
    if (!m_thread.joinable())
        return;
    m_state->stopRequested = true;
    // Inside a message another thread sent (the worker itself, typically),
    // that sender waits for our answer while we would wait for the worker.
    // Answering now frees it; the handler's own result is then dropped, which
    // a worker being stopped does not need. Joining here, rather than leaving
    // the thread for a later join, keeps Stop's promise that the body has
    // ended when it returns, so callers may free what the body uses.
    if (::InSendMessage())
        ::ReplyMessage(0);
    HANDLE done = m_state->done.Get();
    while (::MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        // Peeking delivers the messages sent to this thread's windows.
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    m_thread.join();
}

void CWorkerThread::Abandon()
{
    if (!m_thread.joinable())
        return;
    m_state->stopRequested = true;
    // The thread keeps its own share of the state; the process may end
    // while it still waits in its call, which ends it there.
    m_thread.detach();
}

} // namespace fx
