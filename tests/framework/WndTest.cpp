#include "framework/MessagePump.h"
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

TEST(Wnd, ASecondObjectTakesABoundWindowOnlyOnceTheFirstLetsGoWhichTakesItsTimersAlongAndTimersEndWhenKilled)
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

    SCOPED_TRACE("letting go puts the window's procedure back, or passes messages on under a subclass on top");
    HWND plain = ::CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
    const LONG_PTR own = ::GetWindowLongPtrW(plain, GWLP_WNDPROC);
    ASSERT_TRUE(CAnsweringWnd(3).SubclassWindow(plain));
    EXPECT_EQ(::GetWindowLongPtrW(plain, GWLP_WNDPROC), own);
    {
        CAnsweringWnd bound(4); // then a tooltip, say, subclasses the window on top of this layer
        ASSERT_TRUE(bound.SubclassWindow(plain));
        ASSERT_TRUE(::SetWindowSubclass(plain, [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
            return msg == kWhoAreYou + 1 ? LRESULT{7} : ::DefSubclassProc(hwnd, msg, wp, lp);
        }, 1, 0));
    }
    EXPECT_EQ(::SendMessageW(plain, kWhoAreYou, 0, 0), 0); // nobody answers for the object gone
    EXPECT_EQ(::SendMessageW(plain, kWhoAreYou + 1, 0, 0), 7);
    EXPECT_EQ(fx::WindowText(plain), L"x");
    CAnsweringWnd again(5);
    ASSERT_TRUE(again.SubclassWindow(plain));
    EXPECT_EQ(::SendMessageW(plain, kWhoAreYou, 0, 0), 5);
    ::DestroyWindow(plain);

    SCOPED_TRACE("a timer ticks until killed and never after the kill or the window's end");
    fx::CFrameWnd frame;
    ASSERT_TRUE(frame.Create(L"timers", WS_POPUP, RECT{0, 0, 10, 10}));
    int ticks = 0;
    bool late = false, rang = false;
    ASSERT_TRUE(frame.SetTimer(1, 10, [&] {
        if (++ticks == 3)
            frame.KillTimer(1);
    }));
    EXPECT_TRUE(testing_support::PumpUntil([&] { return ticks == 3; }));
    EXPECT_FALSE(::KillTimer(frame.m_hWnd, 1)); // the system's timer is gone too
    ASSERT_TRUE(frame.SetTimer(2, 10, [&] { late = true; }));
    frame.KillTimer(2);
    ASSERT_TRUE(frame.SetTimer(3, 10, [&] { late = true; }));
    frame.DestroyWindow();
    ASSERT_TRUE(frame.Create(L"again", WS_POPUP, RECT{0, 0, 10, 10})); // the old timer does not follow
    ASSERT_TRUE(frame.SetTimer(99, 100, [&] { rang = true; })); // by then any shorter one has fired
    ASSERT_TRUE(testing_support::PumpUntil([&] { return rang; }));
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(late);
    frame.DestroyWindow();
}

TEST(MessagePump, AGuardSeesItsWindowGoneInAPumpAndAQuitIsLeftForTheLoopOutside)
{
    fx::CFrameWnd window, unbound;
    const auto create = [&] { return window.Create(L"guarded", WS_POPUP, RECT{0, 0, 10, 10}); };
    ASSERT_TRUE(create());
    fx::CWindowGuard guard(window);
    EXPECT_TRUE(guard.IsAlive());
    testing_support::PostedSteps steps; // the window is replaced during the pump: same object, maybe the same handle
    steps.Post([&] {
        window.DestroyWindow();
        create();
    });
    EXPECT_TRUE(fx::CMessagePump().Pump());
    ASSERT_TRUE(window.IsWindow());
    EXPECT_FALSE(guard.IsAlive());
    EXPECT_TRUE(fx::CWindowGuard(window).IsAlive()); // one made for the new window watches that one
    EXPECT_FALSE(fx::CWindowGuard(unbound).IsAlive());
    window.DestroyWindow();

    ::PostQuitMessage(7);
    fx::CMessagePump pump;
    EXPECT_FALSE(pump.Pump());
    EXPECT_FALSE(pump.Pump()); // and keeps saying so
    MSG msg{}; // the quit is there again, with its code, for the loop outside
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

} // namespace
