#include "framework/Format.h"
#include "framework/LongPath.h"
#include "framework/WorkerThread.h"
#include "framework/Wnd.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>
#include <utility>

namespace {

const UINT kProgress = WM_APP + 1;
const UINT kWorkerFailed = WM_APP + 2;

// A window on this thread that counts the progress messages a worker sends
// it, runs onProgress (once) inside the first of them, and counts the
// failure reports a worker posts it.
class CCounterWnd : public fx::CFrameWnd {
public:
    int received = 0;
    int failures = 0;
    std::function<void()> onProgress;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == kProgress) {
            ++received;
            if (auto action = std::exchange(onProgress, nullptr))
                action();
            return 0;
        }
        if (msg == kWorkerFailed) {
            ++failures;
            return 0;
        }
        return Default(msg, wp, lp);
    }
};

// A deadlock must fail its test at once, not when ctest's time runs out:
// this ends the test program when the test has not finished in time.
class CDeadlockWatchdog {
public:
    CDeadlockWatchdog()
        : m_finished(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_thread([finished = m_finished.Get()] {
              if (::WaitForSingleObject(finished, 20000) == WAIT_TIMEOUT) {
                  std::fprintf(stderr, "Deadlocked: the test did not finish within 20 s\n");
                  std::fflush(stderr);
                  ::ExitProcess(3);
              }
          })
    {
    }
    ~CDeadlockWatchdog()
    {
        ::SetEvent(m_finished.Get());
        m_thread.join();
    }

private:
    fx::CKernelHandle m_finished;
    std::thread m_thread;
};

// A worker that reports progress to target until asked to stop.
fx::CWorkerThread::Body SendProgressTo(HWND target)
{
    return [target](const std::atomic<bool>& stop) {
        while (!stop)
            ::SendMessageW(target, kProgress, 0, 0); // blocks until the window's thread answers
    };
}

TEST(WorkerThread, RunsItsBodyOnceAndEnds)
{
    std::atomic<int> runs{0};
    DWORD mainThread = ::GetCurrentThreadId();
    std::atomic<DWORD> workerThread{0};
    fx::CWorkerThread worker;
    worker.Start([&](const std::atomic<bool>&) {
        ++runs;
        workerThread = ::GetCurrentThreadId();
    });
    worker.Stop();
    EXPECT_EQ(runs, 1);
    EXPECT_NE(workerThread.load(), mainThread);
    // A second start runs again after the first has ended.
    worker.Start([&](const std::atomic<bool>&) { ++runs; });
    worker.Stop();
    EXPECT_EQ(runs, 2);
}

TEST(WorkerThread, StopsFromTheHandlerOfAMessageTheWorkerSent)
{
    CDeadlockWatchdog watchdog;
    CCounterWnd window;
    ASSERT_TRUE(window.Create(L"counter", WS_POPUP, RECT{0, 0, 10, 10}));
    fx::CWorkerThread worker;
    bool stoppedInside = false;
    window.onProgress = [&] {
        worker.Stop();
        stoppedInside = !worker.IsRunning();
    };
    worker.Start(SendProgressTo(window.m_hWnd));
    EXPECT_TRUE(testing_support::PumpUntil([&] { return stoppedInside; }));
    EXPECT_FALSE(worker.IsRunning());
    window.DestroyWindow();
}

TEST(WorkerThread, RestartsFromTheHandlerOfAMessageTheWorkerSent)
{
    CDeadlockWatchdog watchdog;
    CCounterWnd window;
    ASSERT_TRUE(window.Create(L"counter", WS_POPUP, RECT{0, 0, 10, 10}));
    fx::CWorkerThread worker;
    std::atomic<bool> secondRan{false};
    HWND target = window.m_hWnd;
    window.onProgress = [&] {
        worker.Start([&secondRan, target](const std::atomic<bool>&) {
            secondRan = true;
            ::PostMessageW(target, WM_NULL, 0, 0); // wakes the pump below
        });
    };
    worker.Start(SendProgressTo(window.m_hWnd));
    EXPECT_TRUE(testing_support::PumpUntil([&] { return secondRan.load(); }));
    worker.Stop();
    EXPECT_EQ(window.received, 1); // the first worker ended when the second began
}

TEST(WorkerThread, TellsItsOwnerWhatItsBodyThrew)
{
    CCounterWnd window;
    ASSERT_TRUE(window.Create(L"counter", WS_POPUP, RECT{0, 0, 10, 10}));
    fx::CWorkerThread worker;
    worker.Start([](const std::atomic<bool>&) { throw std::runtime_error("the disk went away"); }, window.m_hWnd,
                 kWorkerFailed);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return window.failures == 1; }));
    EXPECT_EQ(worker.FailureText(), L"the disk went away");

    // A body that ends normally reports nothing, and the old failure is forgotten.
    worker.Start([](const std::atomic<bool>&) {}, window.m_hWnd, kWorkerFailed);
    worker.Stop();
    testing_support::PumpMessages();
    EXPECT_EQ(window.failures, 1);
    EXPECT_EQ(worker.FailureText(), L"");
    window.DestroyWindow();
}

TEST(WorkerThread, AnAbandonedWorkerIsNotWaitedForAndEndsWhenItsCallReturns)
{
    // The worker sits in one call (as on a drive that does not answer) until
    // the test lets it go; its object is gone by then.
    auto slowCall = std::make_shared<fx::CKernelHandle>(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    auto ended = std::make_shared<fx::CKernelHandle>(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    auto sawStop = std::make_shared<std::atomic<bool>>(false);
    {
        fx::CWorkerThread worker;
        worker.Start([slowCall, ended, sawStop](const std::atomic<bool>& stop) {
            ::WaitForSingleObject(slowCall->Get(), INFINITE);
            *sawStop = stop.load();
            ::SetEvent(ended->Get());
        });
        worker.Abandon();
        EXPECT_FALSE(worker.IsRunning());
    }
    EXPECT_EQ(::WaitForSingleObject(ended->Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    ::SetEvent(slowCall->Get());
    EXPECT_EQ(::WaitForSingleObject(ended->Get(), 20000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_TRUE(*sawStop);
}

TEST(Format, FormatsWideAndNumbersWithoutLimit)
{
    EXPECT_EQ(fx::Format(L"%ls ==> %llu", L"C:\\", 5368709120ULL), L"C:\\ ==> 5368709120");
    std::wstring longText(5000, L'x');
    EXPECT_EQ(fx::Format(L"[%ls]", longText.c_str()), L"[" + longText + L"]");
    EXPECT_EQ(fx::Format(L"%4.2f%%", 45.678), L"45.68%");
}

TEST(LongPath, OnlyLongFullPathsTakeTheExtendedForm)
{
    const std::wstring tail(300, L'x');
    EXPECT_EQ(fx::ExtendedLengthPath(L"C:\\short.txt"), L"C:\\short.txt");
    EXPECT_EQ(fx::ExtendedLengthPath(L"C:\\" + tail), L"\\\\?\\C:\\" + tail);
    EXPECT_EQ(fx::ExtendedLengthPath(L"\\\\server\\share\\" + tail), L"\\\\?\\UNC\\server\\share\\" + tail);
    EXPECT_EQ(fx::ExtendedLengthPath(L"\\\\?\\C:\\" + tail), L"\\\\?\\C:\\" + tail);
    EXPECT_EQ(fx::ExtendedLengthPath(L"relative\\" + tail), L"relative\\" + tail);
    for (const std::wstring& path : {L"C:\\" + tail, L"\\\\server\\share\\" + tail})
        EXPECT_EQ(fx::WithoutExtendedPrefix(fx::ExtendedLengthPath(path)), path);
}

} // namespace
