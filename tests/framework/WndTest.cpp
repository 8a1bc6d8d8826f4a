#include "framework/Wnd.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

const UINT kWhoAreYou = WM_APP + 20;

// Answers kWhoAreYou with its number, so a test sees which object a window's messages reach.
struct CAnsweringWnd : fx::CWnd {
    explicit CAnsweringWnd(int n) : number(n) {}
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        return msg == kWhoAreYou ? number : Default(msg, wp, lp);
    }
    int number;
};

TEST(Binding, ASecondObjectCannotTakeABoundWindowUntilTheFirstLetsGoAndTakesNoTimerAlong)
{
    HWND window = ::CreateWindowExW(0, L"STATIC", L"plain", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    CAnsweringWnd second(2);
    {
        CAnsweringWnd first(1);
        ASSERT_TRUE(first.SubclassWindow(window));
        EXPECT_FALSE(second.SubclassWindow(window));
        EXPECT_EQ(::SendMessageW(window, kWhoAreYou, 0, 0), 1);
        ASSERT_TRUE(first.SetTimer(5, 10, [] {}));
    }
    EXPECT_FALSE(::KillTimer(window, 5)); // the window lives on without a timer nobody would answer
    EXPECT_TRUE(second.SubclassWindow(window));
    EXPECT_EQ(fx::CWnd::FromHandlePermanent(window), &second);
    EXPECT_EQ(::SendMessageW(window, kWhoAreYou, 0, 0), 2);
    ::DestroyWindow(window);
}

TEST(WindowTimer, TicksUntilKilledAndNeverAfterTheKillOrTheWindowEnds)
{
    fx::CFrameWnd window;
    ASSERT_TRUE(window.Create(L"timers", WS_POPUP, RECT{0, 0, 10, 10}));
    int ticks = 0;
    bool late = false;
    ASSERT_TRUE(window.SetTimer(1, 10, [&] {
        if (++ticks == 3)
            window.KillTimer(1);
    }));
    EXPECT_TRUE(testing_support::PumpUntil([&] { return ticks == 3; }));
    EXPECT_FALSE(::KillTimer(window.m_hWnd, 1)); // the system's timer is gone too
    ASSERT_TRUE(window.SetTimer(2, 10, [&] { late = true; }));
    window.KillTimer(2);
    ASSERT_TRUE(window.SetTimer(3, 10, [&] { late = true; }));
    window.DestroyWindow();
    ASSERT_TRUE(window.Create(L"again", WS_POPUP, RECT{0, 0, 10, 10})); // the old timer does not follow
    bool rang = false; // a timer of a tenth of a second: any shorter one has fired by then
    ASSERT_TRUE(window.SetTimer(99, 100, [&] {
        rang = true;
        window.KillTimer(99);
    }));
    ASSERT_TRUE(testing_support::PumpUntil([&] { return rang; }));
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(late);
    window.DestroyWindow();
}

} // namespace
