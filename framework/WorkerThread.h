// A worker thread that talks to windows only with messages. Stopping it sets
// a flag and waits for the worker to end while still handling messages sent
// to this thread's windows, so a worker blocked in SendMessage to one of
// them can finish: closing a window that has a worker never deadlocks.
// A worker that may sit in one slow call for seconds (a listing on a drive
// that has gone away) can instead be abandoned: told to stop and left to end
// on its own, so that nobody waits for it, not even the end of the process.
#pragma once
#include "framework/Handle.h"

#include <atomic>
#include <functional>
#include <memory>
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
    // What body throws is traced and goes no further.
    void Start(Body body);
    // Asks the worker to stop and waits for it to end. Safe from anywhere on
    // the owner's thread, also from the handler of a message the worker sent.
    void Stop();
    // Asks the worker to stop and lets it go without waiting: it ends when
    // its current call returns. Only for a body that owns everything it
    // touches (state shared through a shared_ptr, windows reached by
    // PostMessage alone), because it may outlive this object.
    void Abandon();
    bool IsRunning() const;

private:
    // What the thread shares with this object; the thread holds it too, so
    // an abandoned worker never touches a destroyed object.
    struct State {
        std::atomic<bool> stopRequested{false};
        CKernelHandle done; // set by the worker as its last act
    };
    static void Run(State& state, const Body& body);

    std::thread m_thread;
    std::shared_ptr<State> m_state;
};

} // namespace fx
