#include "properties/PieChartCtrl.h"
#include "tests/properties/PiePixels.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace fennix;

namespace {

using namespace pie_pixels;

// Where the pie sits (as tall as a wide client and centred across, as wide as
// a tall one and on its bottom edge) and where its angles meet the rim.
TEST(PieGeometry, PlaceAndAngles)
{
    CPieGeometry geometry;
    geometry.RecalcLayout(RECT{0, 0, 321, 180});
    EXPECT_EQ(XY({geometry.PieRect().left, geometry.PieRect().bottom}), XY({70, 180}));
    geometry.RecalcLayout(RECT{0, 0, 200, 300});
    EXPECT_EQ(XY({geometry.PieRect().left, geometry.PieRect().top}), XY({0, 100}));
    geometry.RecalcLayout(RECT{0, 0, 300, 200}); // centre (150, 100), radius 100; truncated toward zero
    const std::tuple<int, bool, POINT> cases[] = {{0, false, {150, 0}},  {90, false, {250, 99}}, {180, false, {150, 200}},
                                                  {270, false, {50, 100}}, {0, true, {150, 40}}, {90, true, {210, 99}}};
    for (const auto& [angle, inner, point] : cases)
        EXPECT_EQ(XY(geometry.AngleToPoint(angle, inner)), XY(point)) << angle;
    for (int angle : {-1, -361, 359 + 360 * 5})
        EXPECT_EQ(XY(geometry.AngleToPoint(angle, false)), XY(geometry.AngleToPoint(359, false))) << angle;
}

TEST(PieChart, PercentageOnlyInSlicesOverTwentyFiveDegreesAndTheFontScales)
{
    const std::pair<int, const wchar_t*> texts[] = {{-90, L""},    {0, L""},      {25, L""},     {26, L"7%"},
                                                    {45, L"13%"},  {90, L"25%"},  {100, L"28%"}, {180, L"50%"},
                                                    {360, L"100%"}, {720, L"200%"}};
    for (const auto& [degrees, text] : texts)
        EXPECT_EQ(SlicePercentText(degrees), text) << degrees << " degrees";
    // A DPI from the user's settings may be anything: drawn as at 48 or 480.
    const std::pair<UINT, int> heights[] = {{96, 13}, {144, 20}, {192, 26}, {0, 7}, {100000, 65}};
    for (const auto& [dpi, height] : heights) {
        LOGFONTW lf{};
        ASSERT_TRUE(::GetObjectW(CreatePieLabelFont(dpi).Get(), sizeof(lf), &lf));
        EXPECT_EQ(lf.lfHeight, height) << dpi << " DPI";
        EXPECT_STREQ(lf.lfFaceName, L"Arial");
    }
}

// A chart of 300 by 200 pixels on a window of its own class (which exists
// once a chart object does): a pie of radius 100 centred at (150, 100).
TEST(PieChartCtrl, DraggingSidewaysTurnsItAndTheFocusShowsRoundIt)
{
    CPieChartCtrl chart;
    fx::CFrameWnd host;
    ASSERT_TRUE(host.Create(L"pie host", WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 400}));
    ASSERT_TRUE(chart.SubclassWindow(::CreateWindowExW(0, L"PIE_CHART_CTRL", L"", WS_CHILD | WS_VISIBLE, 10, 10, 300,
                                                       200, host.m_hWnd, nullptr, nullptr, nullptr)));
    const auto shown = [&chart] {
        ::UpdateWindow(chart.m_hWnd);
        return CScreenPixels(chart);
    };
    const auto mouse = [&chart](UINT msg, int x) {
        chart.SendMessage(msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 100));
    };
    const auto atAngle = [&](double degrees) {
        return PixelAtAngle(shown(), chart.Geometry().PieRect(), degrees, 0.8);
    };
    ASSERT_TRUE(chart.AddSlice(kRed, kBlack, 90, L""));
    EXPECT_EQ(atAngle(80), kRed);
    mouse(WM_LBUTTONDOWN, 100);
    EXPECT_EQ(::GetCapture(), chart.m_hWnd);
    mouse(WM_MOUSEMOVE, 130);
    mouse(WM_MOUSEMOVE, 80);
    mouse(WM_LBUTTONUP, 80);
    EXPECT_EQ(chart.StartAngle(), -20); // a degree a pixel
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(atAngle(350), kRed);
    EXPECT_EQ(atAngle(80), kBlue);

    chart.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(200, 100)); // no button held
    EXPECT_EQ(chart.StartAngle(), -20);
    // Held, the mouse goes on past the left edge; the second press of a
    // double-click drags as well; taking the capture away ends a drag.
    for (auto [press, from, to] : {std::tuple{WM_LBUTTONDOWN, 5, -25}, std::tuple{WM_LBUTTONDBLCLK, 10, 20}}) {
        mouse(press, from);
        mouse(WM_MOUSEMOVE, to);
        mouse(WM_LBUTTONUP, to);
    }
    EXPECT_EQ(chart.StartAngle(), -40);
    mouse(WM_LBUTTONDOWN, 100);
    ::SetCapture(host.m_hWnd);
    mouse(WM_MOUSEMOVE, 140);
    EXPECT_EQ(chart.StartAngle(), -40);
    ::ReleaseCapture();

    // The dotted focus frame runs down the left edge (the keys that turn it are the keyboard tests').
    const auto framePixels = [&] {
        return shown().Count(RECT{0, 0, 1, 200}, [](COLORREF c) { return c != ::GetSysColor(COLOR_BTNFACE); });
    };
    EXPECT_EQ(framePixels(), 0);
    ::SetFocus(chart.m_hWnd);
    EXPECT_GT(framePixels(), 200 / 3);
    ::SetFocus(host.m_hWnd);
    EXPECT_EQ(framePixels(), 0);
    host.DestroyWindow();
    testing_support::PumpMessages();
}

} // namespace
