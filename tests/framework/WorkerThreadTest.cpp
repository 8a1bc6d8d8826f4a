#include "framework/Format.h"
#include "framework/LongPath.h"
#include "framework/WorkerThread.h"
#include "framework/Wnd.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

const UINT kProgress = WM_APP + 1;

// Runs onProgress for each progress message a worker sends it.
struct CProgressWnd : fx::CFrameWnd {
    std::function<void()> onProgress;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        return msg == kProgress ? (onProgress(), 0) : CFrameWnd::WindowProc(msg, wp, lp);
    }
};

// A new worker started from the handler of a message the old one sent (and waits on): the old one stops there.
TEST(WorkerThread, RestartsFromTheHandlerOfAMessageItSentKeepsWhatItThrowsAndIsAbandonedWithoutAWait)
{
    CProgressWnd window;
    ASSERT_TRUE(window.Create(L"progress", WS_POPUP, RECT{0, 0, 10, 10}));
    fx::CWorkerThread worker;
    std::atomic<bool> secondRan{false};
    bool unanswered = false;
    int received = 0;
    window.onProgress = [&] {
        if (++received == 1) {
            worker.Start([&secondRan, target = window.m_hWnd](const std::atomic<bool>&) {
                secondRan = true;
                ::PostMessageW(target, WM_NULL, 0, 0); // wakes the pump below
            });
        }
    };
    worker.Start([&unanswered, target = window.m_hWnd](const std::atomic<bool>& stop) {
        while (!stop && !unanswered) // a handler that keeps it waiting stops it after five seconds
            unanswered = !::SendMessageTimeoutW(target, kProgress, 0, 0, SMTO_NORMAL, 5000, nullptr);
    });
    EXPECT_TRUE(testing_support::PumpUntil([&] { return secondRan.load(); }));
    worker.Stop();
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ(received, 1); // the first worker ended when the second began
    EXPECT_FALSE(unanswered);
    window.DestroyWindow();

    SCOPED_TRACE("what a body throws stays inside; an abandoned one is not waited for, ends when its call does");
    // The worker sits in one call (as on a drive that does not answer); its object is gone by then.
    auto slowCall = std::make_shared<fx::CKernelHandle>(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    auto ended = std::make_shared<fx::CKernelHandle>(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    auto sawStop = std::make_shared<std::atomic<bool>>(false);
    {
        fx::CWorkerThread abandoned; // what one throws, the program lives on
        abandoned.Start([](const std::atomic<bool>&) { throw std::runtime_error("the disk went away"); });
        abandoned.Start([slowCall, ended, sawStop](const std::atomic<bool>& stop) {
            ::WaitForSingleObject(slowCall->Get(), INFINITE);
            *sawStop = stop.load();
            ::SetEvent(ended->Get());
        });
        abandoned.Abandon();
        EXPECT_FALSE(abandoned.IsRunning());
    }
    EXPECT_EQ(::WaitForSingleObject(ended->Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    ::SetEvent(slowCall->Get());
    EXPECT_EQ(::WaitForSingleObject(ended->Get(), 20000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_TRUE(*sawStop);
}

TEST(FormatAndLongPath, FormatsWideAndNumbersWithoutLimitAndOnlyLongFullPathsTakeTheExtendedForm)
{
    EXPECT_EQ(fx::Format(L"%ls ==> %llu", L"C:\\", 5368709120ULL), L"C:\\ ==> 5368709120");
    EXPECT_EQ(fx::Format(L"%4.2f%%", 45.678), L"45.68%");
    const std::wstring tail(5000, L'x');
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:\\short.txt", L"C:\\short.txt"},
        {L"C:\\" + tail, L"\\\\?\\C:\\" + tail},
        {L"\\\\server\\share\\" + tail, L"\\\\?\\UNC\\server\\share\\" + tail},
        {L"\\\\?\\C:\\" + tail, L"\\\\?\\C:\\" + tail},
        {L"relative\\" + tail, L"relative\\" + tail},
    };
    for (const auto& [path, extended] : cases)
        EXPECT_EQ(fx::ExtendedLengthPath(path), extended);
    EXPECT_EQ(fx::Format(L"[%ls]", tail.c_str()), L"[" + tail + L"]");
    for (const auto& c : {cases[1], cases[2]})
        EXPECT_EQ(fx::WithoutExtendedPrefix(c.second), c.first);
}

} // namespace
