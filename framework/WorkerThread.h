// A worker thread that talks to windows only with messages. Stopping it sets
// a flag and waits for the worker to end while still handling messages sent
// to this thread's windows, so a worker blocked in SendMessage to one of
// them can finish: closing a window that has a worker never deadlocks.
#pragma once
#include "framework/Handle.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace fx {

class CWorkerThread {
public:
    using Body = std::function<void(const std::atomic<bool>& stopRequested)>;

    CWorkerThread() = default;
    ~CWorkerThread() { Stop(); }
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Runs body on a new thread; a worker still running is stopped first.
    // When body throws, the worker posts failureMessage to owner (when both
    // are given) as its last act; FailureText() then says what went wrong.
    void Start(Body body, HWND owner = nullptr, UINT failureMessage = 0);
    // Asks the worker to stop and waits for it to end. Safe from anywhere on
    // the owner's thread, also from the handler of a message the worker sent.
    void Stop();
    bool IsRunning() const { return m_thread.joinable() && ::WaitForSingleObject(m_done.Get(), 0) == WAIT_TIMEOUT; }
    // What the last worker's body threw; empty when it ended normally.
    std::wstring FailureText() const;

private:
    void Run(const Body& body, HWND owner, UINT failureMessage);
    void SetFailureText(std::wstring text);

    std::thread m_thread;
    std::atomic<bool> m_stopRequested{false};
    CKernelHandle m_done; // set by the worker as its last act
    mutable std::mutex m_failureLock;
    std::wstring m_failureText;
};

} // namespace fx
