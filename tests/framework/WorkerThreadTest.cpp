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

using testing_support::PumpUntil;

const UINT kProgress = WM_APP + 1;

// Runs the action given as reference data for each progress message a worker sends the window.
LRESULT CALLBACK OnProgress(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR action)
{
    if (msg != kProgress)
        return ::DefSubclassProc(hwnd, msg, wp, lp);
    (*reinterpret_cast<std::function<void()>*>(action))();
    return 0;
}

// A new worker started from the handler of a message the old one sent (and waits on): the old one stops there.
TEST(WorkerThread, RestartsFromTheHandlerOfAMessageTheWorkerSent)
{
    fx::CFrameWnd window;
    ASSERT_TRUE(window.Create(L"progress", WS_POPUP, RECT{0, 0, 10, 10}));
    fx::CWorkerThread worker;
    std::atomic<bool> secondRan{false};
    int received = 0;
    std::function<void()> onProgress = [&] {
        if (++received == 1) {
            worker.Start([&secondRan, target = window.m_hWnd](const std::atomic<bool>&) {
                secondRan = true;
                ::PostMessageW(target, WM_NULL, 0, 0); // wakes the pump below
            });
        }
    };
    ::SetWindowSubclass(window.m_hWnd, OnProgress, 1, reinterpret_cast<DWORD_PTR>(&onProgress));
    worker.Start([target = window.m_hWnd](const std::atomic<bool>& stop) {
        while (!stop)
            ::SendMessageW(target, kProgress, 0, 0);
    });
    EXPECT_TRUE(PumpUntil([&] { return secondRan.load(); }));
    worker.Stop();
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ(received, 1); // the first worker ended when the second began
    window.DestroyWindow();
}

TEST(WorkerThread, WhatItsBodyThrowsStaysInsideAndAnAbandonedOneIsNotWaitedForButEndsWhenItsCallReturns)
{
    fx::CWorkerThread thrower; // the program lives on
    thrower.Start([](const std::atomic<bool>&) { throw std::runtime_error("the disk went away"); });
    thrower.Stop();
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
