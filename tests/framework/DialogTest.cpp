#include "framework/Dialog.h"
#include "framework/Dpi.h"
#include "tests/framework/res/framework_test.h"
#include "tests/support/DpiChecks.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using testing_support::IconImageSize;

// A top-level window that wears the application icon.
class CIconFrame : public fx::CFrameWnd {
public:
    fx::CAppIcon icon;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        LRESULT result = 0;
        return icon.OnMessage(m_hWnd, msg, wp, &result) ? result : CFrameWnd::WindowProc(msg, wp, lp);
    }
};

TEST(AppIcon, BothSizesFollowTheWindowsDpiAndADragShowsTheBigOne)
{
    CIconFrame frame;
    ASSERT_TRUE(frame.Create(L"Iconic", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200}));
    frame.icon.Set(frame.m_hWnd, IDI_TEST_APP);
    const auto shown = [&](WPARAM which) { return reinterpret_cast<HICON>(frame.SendMessage(WM_GETICON, which)); };
    const UINT dpi = fx::WindowDpi(frame.m_hWnd);
    EXPECT_EQ(dpi, ::GetDpiForWindow(frame.m_hWnd)); // the one the system gives it; the system's once it is gone
    for (UINT at : {dpi, dpi * 3 / 2}) { // then moved to a monitor with half as much DPI again
        if (at != dpi) {
            RECT suggested = frame.GetWindowRect();
            frame.SendMessage(WM_DPICHANGED, MAKEWPARAM(at, at), reinterpret_cast<LPARAM>(&suggested));
        }
        EXPECT_EQ(IconImageSize(shown(ICON_BIG)).cx, fx::ScaleToDpi(32, at));
        EXPECT_EQ(IconImageSize(shown(ICON_SMALL)).cx, fx::ScaleToDpi(16, at));
        EXPECT_EQ(reinterpret_cast<HICON>(frame.SendMessage(WM_QUERYDRAGICON)), shown(ICON_BIG));
    }
    HWND gone = frame.m_hWnd;
    frame.DestroyWindow();
    EXPECT_EQ(fx::WindowDpi(gone), ::GetDpiForSystem());
    EXPECT_EQ(fx::WindowDpi(nullptr), ::GetDpiForSystem());
}

// The DPI comes from the user's settings: one no screen has is drawn as the nearest one drawn for.
TEST(Dpi, LengthsScaleFromNinetySixDpiToTheNearestPixelWithinTheLimits)
{
    const std::tuple<int, UINT, int> cases[] = {{32, 96, 32},   {32, 144, 48}, {16, 144, 24}, {25, 144, 38},
                                                {3, 120, 4},     {32, 0, 16},   {32, 1, 16},   {32, 100000, 160},
                                                {-13, 144, -20}, {32, 0xFFFFFFFF, 160}};
    for (const auto& [length, dpi, scaled] : cases)
        EXPECT_EQ(fx::ScaleToDpi(length, dpi), scaled) << length << " at " << dpi;
}

} // namespace
