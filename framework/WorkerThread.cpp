#include "framework/WorkerThread.h"

#include <exception>

namespace fx {

namespace {
std::wstring Widen(const char* text)
{
    int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (n <= 1)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), n);
    wide.resize(static_cast<size_t>(n - 1));
    return wide;
}
} // namespace

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
        SetFailureText(Widen(e.what()));
    } catch (...) {
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
