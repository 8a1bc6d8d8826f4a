// A worker thread that talks to windows only with messages. Stopping it sets
// a flag and waits for the worker to end while still handling messages sent
// to this thread's windows, so a worker blocked in SendMessage to one of
// them can finish: closing a window that has a worker never deadlocks.
#pragma once
#include "framework/Handle.h"

#include <atomic>
#include <functional>
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
    void Start(Body body);
    // Asks the worker to stop and waits for it to end (see above).
    void Stop();
    bool IsRunning() const { return m_thread.joinable() && ::WaitForSingleObject(m_done.Get(), 0) == WAIT_TIMEOUT; }

private:
    std::thread m_thread;
    std::atomic<bool> m_stopRequested{false};
    CKernelHandle m_done; // set by the worker as its last act
};

} // namespace fx
