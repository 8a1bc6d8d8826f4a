#include "framework/Format.h"
#include "framework/LongPath.h"
#include "framework/WorkerThread.h"
#include "framework/Wnd.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

const UINT kProgress = WM_APP + 1;

// A window on this thread that counts the progress messages a worker sends it.
class CCounterWnd : public fx::CFrameWnd {
public:
    int received = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == kProgress) {
            ++received;
            return 0;
        }
        return Default(msg, wp, lp);
    }
};

TEST(WorkerThread, StoppingWhileTheWorkerSendsToOurWindowDoesNotDeadlock)
{
    CCounterWnd window;
    ASSERT_TRUE(window.Create(L"counter", WS_POPUP, RECT{0, 0, 10, 10}));
    HANDLE firstSent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    fx::CKernelHandle firstSentOwner(firstSent);
    fx::CWorkerThread worker;
    HWND target = window.m_hWnd;
    worker.Start([target, firstSent](const std::atomic<bool>& stop) {
        while (!stop) {
            ::SendMessageW(target, kProgress, 0, 0); // blocks until this thread answers
            ::SetEvent(firstSent);
        }
    });
    // The first message can only be answered while this thread dispatches.
    while (::MsgWaitForMultipleObjects(1, &firstSent, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    worker.Stop();
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_GE(window.received, 1);
    window.DestroyWindow();
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
