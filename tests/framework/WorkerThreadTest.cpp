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

using testing_support::PumpUntil;

const UINT kProgress = WM_APP + 1;

// Counts the progress messages a worker sends, running onProgress (once) inside the first.
class CCounterWnd : public fx::CFrameWnd {
public:
    CCounterWnd() { Create(L"counter", WS_POPUP, RECT{0, 0, 10, 10}); }
    ~CCounterWnd() override { DestroyWindow(); }
    int received = 0;
    std::function<void()> onProgress;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg != kProgress)
            return Default(msg, wp, lp);
        ++received;
        if (auto action = std::exchange(onProgress, nullptr))
            action();
        return 0;
    }
};

// Ends the program when a test has not finished in 20 s: a deadlock fails at once, not at ctest's limit.
class CDeadlockWatchdog {
public:
    ~CDeadlockWatchdog()
    {
        ::SetEvent(m_finished.Get());
        m_thread.join();
    }

private:
    fx::CKernelHandle m_finished{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::thread m_thread{[finished = m_finished.Get()] {
        if (::WaitForSingleObject(finished, 20000) == WAIT_TIMEOUT) {
            std::fprintf(stderr, "Deadlocked: the test did not finish within 20 s\n");
            std::fflush(stderr);
            ::ExitProcess(3);
        }
    }};
};

// A worker that reports progress to target (waiting for each answer) until asked to stop.
fx::CWorkerThread::Body SendProgressTo(HWND target)
{
    return [target](const std::atomic<bool>& stop) {
        while (!stop)
            ::SendMessageW(target, kProgress, 0, 0);
    };
}

TEST(WorkerThread, StopsAndRestartsFromTheHandlerOfAMessageTheWorkerSent)
{
    CDeadlockWatchdog watchdog;
    CCounterWnd window;
    fx::CWorkerThread worker;
    bool stoppedInside = false;
    window.onProgress = [&] {
        worker.Stop();
        stoppedInside = !worker.IsRunning();
    };
    worker.Start(SendProgressTo(window.m_hWnd));
    EXPECT_TRUE(PumpUntil([&] { return stoppedInside; }));

    std::atomic<bool> secondRan{false};
    window.received = 0;
    window.onProgress = [&] {
        worker.Start([&secondRan, target = window.m_hWnd](const std::atomic<bool>&) {
            secondRan = true;
            ::PostMessageW(target, WM_NULL, 0, 0); // wakes the pump below
        });
    };
    worker.Start(SendProgressTo(window.m_hWnd));
    EXPECT_TRUE(PumpUntil([&] { return secondRan.load(); }));
    worker.Stop();
    EXPECT_EQ(window.received, 1); // the first worker ended when the second began
}

TEST(WorkerThread, WhatItsBodyThrowsStaysInsideIt)
{
    fx::CWorkerThread worker;
    worker.Start([](const std::atomic<bool>&) { throw std::runtime_error("the disk went away"); });
    worker.Stop();
    EXPECT_FALSE(worker.IsRunning());
}

TEST(WorkerThread, AnAbandonedWorkerIsNotWaitedForAndEndsWhenItsCallReturns)
{
    // The worker sits in one call (as on a drive that does not answer); its object is gone by then.
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
    const std::wstring longText(5000, L'x');
    EXPECT_EQ(fx::Format(L"[%ls]", longText.c_str()), L"[" + longText + L"]");
    EXPECT_EQ(fx::Format(L"%4.2f%%", 45.678), L"45.68%");
}

TEST(LongPath, OnlyLongFullPathsTakeTheExtendedForm)
{
    const std::wstring tail(300, L'x');
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:\\short.txt", L"C:\\short.txt"},
        {L"C:\\" + tail, L"\\\\?\\C:\\" + tail},
        {L"\\\\server\\share\\" + tail, L"\\\\?\\UNC\\server\\share\\" + tail},
        {L"\\\\?\\C:\\" + tail, L"\\\\?\\C:\\" + tail},
        {L"relative\\" + tail, L"relative\\" + tail},
    };
    for (const auto& [path, extended] : cases)
        EXPECT_EQ(fx::ExtendedLengthPath(path), extended);
    for (const auto& c : {cases[1], cases[2]})
        EXPECT_EQ(fx::WithoutExtendedPrefix(c.second), c.first);
}

} // namespace
