#include "framework/MessagePump.h"
#include "framework/Wnd.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

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
