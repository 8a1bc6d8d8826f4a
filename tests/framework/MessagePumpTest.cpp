#include "framework/MessagePump.h"
#include "framework/Wnd.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

const UINT kAction = WM_APP + 10;

// A hidden window that counts the kAction messages it gets and runs onAction (once) for the first.
class CActionWnd : public fx::CFrameWnd {
public:
    int actions = 0;
    std::function<void()> onAction;
    bool Create() { return CFrameWnd::Create(L"action", WS_POPUP, RECT{0, 0, 10, 10}); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg != kAction)
            return Default(msg, wp, lp);
        ++actions;
        if (auto action = std::exchange(onAction, nullptr))
            action();
        return 0;
    }
};

class MessagePump : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_window.Create()); }
    void TearDown() override
    {
        m_window.DestroyWindow();
        testing_support::PumpMessages();
    }
    CActionWnd m_window;
};

TEST_F(MessagePump, TakesAQuitPostsItAgainAndTellsTheCallerToStop)
{
    ::PostQuitMessage(7);
    fx::CMessagePump pump;
    EXPECT_FALSE(pump.Pump());
    EXPECT_FALSE(pump.Pump()); // and keeps saying so
    MSG msg{}; // the quit is there again, with its code, for the loop outside
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(MessagePump, GuardSeesTheWindowGoneEvenWhenItsObjectHasANewOne)
{
    fx::CWindowGuard guard(m_window);
    EXPECT_TRUE(guard.IsAlive());
    // The window is replaced during the pump: same object, maybe the same handle.
    m_window.onAction = [this] {
        m_window.DestroyWindow();
        m_window.Create();
    };
    m_window.PostMessage(kAction);
    EXPECT_TRUE(fx::CMessagePump().Pump());
    ASSERT_TRUE(m_window.IsWindow());
    EXPECT_FALSE(guard.IsAlive());
    EXPECT_TRUE(fx::CWindowGuard(m_window).IsAlive()); // one made for the new window watches that one
    CActionWnd unbound;
    EXPECT_FALSE(fx::CWindowGuard(unbound).IsAlive());
}

} // namespace
