#include "framework/WorkerThread.h"

#include "framework/Format.h"
#include "framework/Trace.h"

#include <exception>

namespace fx {

void CWorkerThread::Start(Body body, HWND owner, UINT failureMessage)
{
    Stop();
    m_state = std::make_shared<State>();
    m_state->done.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_thread = std::thread([state = m_state, owner, failureMessage, body = std::move(body)] {
        Run(*state, body, owner, failureMessage);
        ::SetEvent(state->done.Get());
    });
}

void CWorkerThread::Run(State& state, const Body& body, HWND owner, UINT failureMessage)
{
    // A worker's failure must not take the program down with it, but its
    // owner must hear of it: the work it waits for will not come.
    std::wstring failure;
    try {
        body(state.stopRequested);
        return;
    } catch (const std::exception& e) {
        TraceCaughtException(L"background work");
        failure = Widen(e.what());
    } catch (...) {
        TraceCaughtException(L"background work");
        failure = L"The background work failed.";
    }
    {
        std::lock_guard<std::mutex> lock(state.failureLock);
        state.failureText = std::move(failure);
    }
    if (owner && failureMessage)
        ::PostMessageW(owner, failureMessage, 0, 0);
}

bool CWorkerThread::IsRunning() const
{
    return m_thread.joinable() && ::WaitForSingleObject(m_state->done.Get(), 0) == WAIT_TIMEOUT;
}

std::wstring CWorkerThread::FailureText() const
{
    if (!m_state)
        return std::wstring();
    std::lock_guard<std::mutex> lock(m_state->failureLock);
    return m_state->failureText;
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
