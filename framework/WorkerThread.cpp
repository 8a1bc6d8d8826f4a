#include "framework/WorkerThread.h"

#include "framework/Format.h"
#include "framework/Trace.h"

#include <exception>

namespace fx {

void CWorkerThread::Start(Body body, HWND owner, UINT failureMessage)
{
    Stop();
    m_stopRequested = false;
    SetFailureText(std::wstring());
    m_done.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HANDLE done = m_done.Get();
    m_thread = std::thread([this, done, owner, failureMessage, body = std::move(body)] {
        Run(body, owner, failureMessage);
        ::SetEvent(done);
    });
}

void CWorkerThread::Run(const Body& body, HWND owner, UINT failureMessage)
{
    // A worker's failure must not take the program down with it, but its
    // owner must hear of it: the work it waits for will not come.
    bool failed = true;
    try {
        body(m_stopRequested);
        failed = false;
    } catch (const std::exception& e) {
        TraceCaughtException(L"background work");
        SetFailureText(Widen(e.what()));
    } catch (...) {
        TraceCaughtException(L"background work");
        SetFailureText(L"The background work failed.");
    }
    if (failed && owner && failureMessage)
        ::PostMessageW(owner, failureMessage, 0, 0);
}

void CWorkerThread::SetFailureText(std::wstring text)
{
    std::lock_guard<std::mutex> lock(m_failureLock);
    m_failureText = std::move(text);
}

std::wstring CWorkerThread::FailureText() const
{
    std::lock_guard<std::mutex> lock(m_failureLock);
    return m_failureText;
}

void CWorkerThread::Stop()
{
    if (!m_thread.joinable())
        return;
    m_stopRequested = true;
    // Inside a message another thread sent (the worker itself, typically),
    // that sender waits for our answer while we would wait for the worker.
    // Answering now frees it; the handler's own result is then dropped, which
    // a worker being stopped does not need. Joining here, rather than leaving
    // the thread for a later join, keeps Stop's promise that the body has
    // ended when it returns, so callers may free what the body uses.
    if (::InSendMessage())
        ::ReplyMessage(0);
    HANDLE done = m_done.Get();
    while (::MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        // Peeking delivers the messages sent to this thread's windows.
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    m_thread.join();
}

} // namespace fx
