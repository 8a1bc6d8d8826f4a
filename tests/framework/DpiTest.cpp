#include "framework/Dpi.h"
#include "framework/Wnd.h"

#include <gtest/gtest.h>

namespace {

TEST(Dpi, LengthsScaleFromNinetySixDpiToTheNearestPixel)
{
    EXPECT_EQ(fx::ScaleToDpi(32, 96), 32);
    EXPECT_EQ(fx::ScaleToDpi(32, 144), 48);
    EXPECT_EQ(fx::ScaleToDpi(16, 144), 24);
    EXPECT_EQ(fx::ScaleToDpi(25, 144), 38); // 37.5
    EXPECT_EQ(fx::ScaleToDpi(3, 120), 4);   // 3.75
    EXPECT_EQ(fx::ScaleToDpi(-13, 144), -20);
}

// The DPI comes from the user's settings: a value no screen has is drawn as
// at the nearest DPI drawn for, never with lengths that overflow.
TEST(Dpi, ADpiBeyondTheLimitsScalesAsTheNearestLimit)
{
    EXPECT_EQ(fx::ScaleToDpi(32, 0), 16);
    EXPECT_EQ(fx::ScaleToDpi(32, 1), 16);
    EXPECT_EQ(fx::ScaleToDpi(32, 100000), 160);
    EXPECT_EQ(fx::ScaleToDpi(32, 0xFFFFFFFF), 160);
}

TEST(Dpi, AWindowsDpiIsTheOneTheSystemGivesIt)
{
    fx::CFrameWnd window;
    ASSERT_TRUE(window.Create(L"dpi", WS_POPUP, RECT{0, 0, 50, 50}));
    EXPECT_EQ(fx::WindowDpi(window.m_hWnd), ::GetDpiForWindow(window.m_hWnd));
    HWND gone = window.m_hWnd;
    window.DestroyWindow();
    EXPECT_EQ(fx::WindowDpi(gone), ::GetDpiForSystem());
    EXPECT_EQ(fx::WindowDpi(nullptr), ::GetDpiForSystem());
}

} // namespace
