#include "properties/PieChartCtrl.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/properties/PiePixels.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

using namespace fennix;

namespace {

using namespace pie_pixels;

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);

// --- Where the pie goes, without a window -------------------------------------------

TEST(PieGeometry, AnglesRunClockwiseFromTheTopAndTurnAnyNumberOfTimes)
{
    CPieGeometry geometry;
    geometry.RecalcLayout(RECT{0, 0, 300, 200}); // centre (150, 100), radius 100
    EXPECT_EQ(XY(geometry.AngleToPoint(0, false)), XY({150, 0}));
    // Truncated toward zero: the sine and cosine of a right angle land just
    // short of whole numbers.
    EXPECT_EQ(XY(geometry.AngleToPoint(90, false)), XY({250, 99}));
    EXPECT_EQ(XY(geometry.AngleToPoint(180, false)), XY({150, 200}));
    EXPECT_EQ(XY(geometry.AngleToPoint(270, false)), XY({50, 100}));
    EXPECT_EQ(XY(geometry.AngleToPoint(0, true)), XY({150, 40}));
    EXPECT_EQ(XY(geometry.AngleToPoint(90, true)), XY({210, 99}));
    for (int angle : {-1, -361, 359 + 360 * 5})
        EXPECT_EQ(XY(geometry.AngleToPoint(angle, false)), XY(geometry.AngleToPoint(359, false))) << angle;
    EXPECT_EQ(XY(geometry.AngleToPoint(-360, true)), XY(geometry.AngleToPoint(0, true)));
    EXPECT_EQ(XY(geometry.AngleToPoint(INT_MIN, false)), XY(geometry.AngleToPoint(INT_MIN % 360 + 360, false)));
}

TEST(PieChart, PercentageOnlyInSlicesOverTwentyFiveDegrees)
{
    const struct {
        int degrees;
        const wchar_t* text;
    } cases[] = {{-90, L""}, {0, L""}, {25, L""}, {26, L"7%"},  {45, L"13%"},
                 {90, L"25%"}, {100, L"28%"}, {180, L"50%"}, {360, L"100%"}, {720, L"200%"}};
    for (const auto& c : cases)
        EXPECT_EQ(SlicePercentText(c.degrees), c.text) << c.degrees << " degrees";
}

TEST(PieChart, LabelFontIsThirteenPixelArialAtNinetySixDpiAndScales)
{
    // A DPI from the user's settings may be anything: drawn as at 48 or 480.
    const std::pair<UINT, int> heights[] = {{96, 13}, {144, 20}, {192, 26}, {0, 7}, {100000, 65}};
    for (const auto& [dpi, height] : heights) {
        fx::CFontHandle font = CreatePieLabelFont(dpi);
        LOGFONTW lf{};
        ASSERT_TRUE(::GetObjectW(font.Get(), sizeof(lf), &lf));
        EXPECT_EQ(lf.lfHeight, height) << dpi << " DPI";
        EXPECT_STREQ(lf.lfFaceName, L"Arial");
    }
}

// --- The chart on the screen -----------------------------------------------------------

// A chart on a window of its own class, 300 by 200 pixels: a pie of radius
// 100 centred at (150, 100).
class PieChartCtrlTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 200;

    void SetUp() override
    {
        ASSERT_TRUE(m_host.Create(L"pie host", WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 400}));
        // The class exists because the chart object was constructed.
        HWND hwnd = ::CreateWindowExW(0, L"PIE_CHART_CTRL", L"", WS_CHILD | WS_VISIBLE, 10, 10, kWidth, kHeight,
                                      m_host.m_hWnd, reinterpret_cast<HMENU>(1002), nullptr, nullptr);
        ASSERT_NE(hwnd, nullptr);
        ASSERT_TRUE(m_chart.SubclassWindow(hwnd));
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        testing_support::PumpMessages();
    }

    HWND Chart() const { return m_chart.m_hWnd; }
    void Add(COLORREF fill, COLORREF text, int degrees, const std::wstring& label = L"")
    {
        ASSERT_TRUE(m_chart.AddSlice(fill, text, degrees, label));
        m_chart.Invalidate(false);
    }
    CScreenPixels Shown() const
    {
        ::UpdateWindow(Chart());
        return CScreenPixels(Chart());
    }
    void Press(int x, UINT msg = WM_LBUTTONDOWN) { m_chart.SendMessage(msg, MK_LBUTTON, MAKELPARAM(x, 100)); }
    void MoveTo(int x) { m_chart.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 100)); }
    void Release(int x) { m_chart.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, 100)); }
    void Drag(int dx)
    {
        Press(150);
        MoveTo(150 + dx);
        Release(150 + dx);
    }
    COLORREF AtAngle(const CScreenPixels& shown, double degrees) const
    {
        return PixelAtAngle(shown, m_chart.Geometry().PieRect(), degrees, 0.8);
    }
    // Height of a legend row: that of its text in the chart's font.
    int RowHeight(const wchar_t* label) const
    {
        fx::CClientDC dc(Chart());
        fx::CFontHandle font = CreatePieLabelFont(::GetDpiForWindow(Chart()));
        fx::CSelectObject select(dc.Get(), font.Get());
        SIZE size{};
        ::GetTextExtentPoint32W(dc.Get(), label, static_cast<int>(wcslen(label)), &size);
        return size.cy;
    }
    static COLORREF Face() { return ::GetSysColor(COLOR_BTNFACE); }

    fx::CFrameWnd m_host;
    CPieChartCtrl m_chart;
};

TEST_F(PieChartCtrlTest, NoSlicesShowTheBlueDiscInItsBlackCircleOnTheFace)
{
    CScreenPixels shown = Shown();
    EXPECT_EQ(shown.At(2, 2), Face());
    EXPECT_EQ(shown.At(kWidth - 3, 2), Face()); // no legend
    EXPECT_EQ(shown.At(150, 100), kBlue);
    // The circle's edge is black all round, with the disc inside.
    EXPECT_EQ(FirstInRow(shown, 100, [](COLORREF c) { return c != Face(); }), 50);
    EXPECT_EQ(shown.At(50, 100), kBlack);
    EXPECT_EQ(shown.At(52, 100), kBlue);
    EXPECT_EQ(shown.At(249, 100), kBlack);
    EXPECT_EQ(shown.At(150, 0), kBlack);
    EXPECT_EQ(shown.At(150, 199), kBlack);
    EXPECT_EQ(shown.Count([](COLORREF c) { return c != Face() && c != kBlue && c != kBlack; }), 0);
}

TEST_F(PieChartCtrlTest, OneSliceOfTheWholeTurnLeavesTheDiscWithOneBorderLegendAndHundredPercent)
{
    Add(kRed, kGreen, 360, L"All");
    CScreenPixels shown = Shown();
    const int row = RowHeight(L"All");
    // Its ends meet, so no wedge: the disc shows, red only in the swatch.
    EXPECT_EQ(shown.At(150, 130), kBlue);
    EXPECT_EQ(shown.At(kWidth - row / 2, row / 2), kRed);
    EXPECT_EQ(shown.Count(RECT{0, 0, kWidth - row, kHeight}, [](COLORREF c) { return c == kRed; }), 0);
    // One border line, from the top to the centre.
    EXPECT_EQ(shown.At(150, 30), kBlack);
    EXPECT_EQ(shown.At(150, 90), kBlack);
    EXPECT_EQ(shown.At(153, 60), kBlue);
    // The label left of its swatch, outside the circle.
    EXPECT_GT(shown.Count(RECT{220, 0, kWidth - row, row}, [](COLORREF c) { return c == kBlack; }), 3);
    // "100%" around the middle of the turn (the bottom) at 0.6 of the radius.
    EXPECT_GT(shown.Count(RECT{125, 150, 175, 171}, [](COLORREF c) { return GetGValue(c) > 128; }), 5);
}

TEST_F(PieChartCtrlTest, PercentageDrawnInASliceOfTwentySixDegreesNotTwentyFive)
{
    Add(kRed, kGreen, 25);    // 0 to 25 degrees
    Add(kYellow, kBlue, 26);  // 25 to 51
    CScreenPixels shown = Shown();
    // Boxes well inside each wedge, around where the text would be centred.
    const POINT narrow = m_chart.Geometry().AngleToPoint(13, true);
    const POINT wide = m_chart.Geometry().AngleToPoint(38, true);
    auto box = [](POINT p) { return RECT{p.x - 6, p.y - 6, p.x + 7, p.y + 7}; };
    EXPECT_EQ(shown.Count(box(narrow), [](COLORREF c) { return c != kRed; }), 0);
    EXPECT_GT(shown.Count(box(wide), [](COLORREF c) { return c != kYellow; }), 5);
}

TEST_F(PieChartCtrlTest, AStartAngleOfMinusOneIsThreeHundredFiftyNine)
{
    Add(kRed, kGreen, 90, L"Red");
    Add(kYellow, kBlue, 45, L"Yellow");
    const CScreenPixels unturned = Shown();
    Drag(-1);
    ASSERT_EQ(m_chart.StartAngle(), -1);
    const CScreenPixels minusOne = Shown();
    EXPECT_FALSE(SamePixels(unturned, minusOne));
    Drag(360);
    ASSERT_EQ(m_chart.StartAngle(), 359);
    EXPECT_TRUE(SamePixels(minusOne, Shown()));
    // Turned far the other way, two whole turns past it.
    Drag(-1080);
    ASSERT_EQ(m_chart.StartAngle(), -721);
    EXPECT_TRUE(SamePixels(minusOne, Shown()));
}

TEST_F(PieChartCtrlTest, PieFillsTheNarrowerSideCentredAcrossAndOnTheBottom)
{
    // Taller than wide: as wide as the client, at its bottom edge.
    ::SetWindowPos(Chart(), nullptr, 0, 0, 200, 300, SWP_NOMOVE | SWP_NOZORDER);
    CScreenPixels tall = Shown();
    EXPECT_EQ(tall.At(100, 50), Face());
    EXPECT_EQ(tall.At(100, 200), kBlue);
    EXPECT_EQ(FirstInColumn(tall, 100, [](COLORREF c) { return c != Face(); }), 100);
    EXPECT_EQ(tall.At(100, 299), kBlack);
    EXPECT_EQ(FirstInRow(tall, 200, [](COLORREF c) { return c != Face(); }), 0);

    // Wider than tall: as tall as the client, centred across.
    ::SetWindowPos(Chart(), nullptr, 0, 0, 321, 180, SWP_NOMOVE | SWP_NOZORDER);
    CScreenPixels wide = Shown();
    EXPECT_EQ(FirstInColumn(wide, 160, [](COLORREF c) { return c != Face(); }), 0);
    EXPECT_EQ(wide.At(160, 179), kBlack);
    EXPECT_EQ(FirstInRow(wide, 90, [](COLORREF c) { return c != Face(); }), 70);
    EXPECT_EQ(wide.At(249, 90), kBlack);
    EXPECT_EQ(wide.At(251, 90), Face());
}

TEST_F(PieChartCtrlTest, SlicesWithoutALabelTakeNoLegendRow)
{
    Add(kRed, kBlack, 10, L"First");
    Add(kYellow, kBlack, 10);
    Add(kGreen, kBlack, 10, L"Third");
    CScreenPixels shown = Shown();
    const int row = RowHeight(L"First");
    EXPECT_EQ(shown.At(kWidth - row / 2, row / 2), kRed);
    EXPECT_EQ(shown.At(kWidth - row / 2, row + row / 2), kGreen);
    EXPECT_EQ(shown.At(kWidth - row / 2, 2 * row + row / 2), Face());
    EXPECT_EQ(shown.Count(RECT{kWidth - row, 0, kWidth, 4 * row}, [](COLORREF c) { return c == kYellow; }), 0);
}

TEST_F(PieChartCtrlTest, ANegativeSliceCoversTheRestOfTheDiscAndLaterSlicesPaintOverIt)
{
    Add(kRed, kBlack, 90);     // 0 to 90
    Add(kYellow, kBlack, -30); // back to 60: filled from 90 round to 60
    Add(kGreen, kBlack, 60);   // 60 to 120
    CScreenPixels shown = Shown();
    // All round, away from the border lines: green from 60 to 120, yellow
    // everywhere else; nothing of the first slice, nor of the disc.
    for (double angle = 2.5; angle < 360; angle += 5) {
        const COLORREF expected = angle > 60 && angle < 120 ? kGreen : kYellow;
        for (double fraction : {0.3, 0.85})
            EXPECT_EQ(PixelAtAngle(shown, m_chart.Geometry().PieRect(), angle, fraction), expected)
                << angle << " degrees at " << fraction;
    }
}

TEST_F(PieChartCtrlTest, DraggingSidewaysTurnsTheStartAngleOneDegreePerPixel)
{
    Add(kRed, kBlack, 90);
    EXPECT_EQ(AtAngle(Shown(), 80), kRed);
    Press(100);
    EXPECT_EQ(::GetCapture(), Chart());
    MoveTo(130);
    MoveTo(80);
    Release(80);
    EXPECT_EQ(m_chart.StartAngle(), -20);
    EXPECT_EQ(::GetCapture(), nullptr);
    CScreenPixels turned = Shown();
    EXPECT_EQ(AtAngle(turned, 350), kRed);
    EXPECT_EQ(AtAngle(turned, 80), kBlue);

    MoveTo(200); // no button held
    EXPECT_EQ(m_chart.StartAngle(), -20);
    // Held, the mouse goes on past the left edge.
    Press(5);
    MoveTo(-25);
    Release(-25);
    EXPECT_EQ(m_chart.StartAngle(), -50);
    // The second press of a double-click drags as well.
    Press(10);
    Release(10);
    Press(10, WM_LBUTTONDBLCLK);
    MoveTo(20);
    Release(20);
    EXPECT_EQ(m_chart.StartAngle(), -40);
    // A drag ends when the capture is taken away.
    Press(100);
    ::SetCapture(m_host.m_hWnd);
    MoveTo(140);
    EXPECT_EQ(m_chart.StartAngle(), -40);
    ::ReleaseCapture();
}

TEST_F(PieChartCtrlTest, TheArrowKeysTurnItFiveDegreesAPressAndTheFocusShowsRoundIt)
{
    Add(kRed, kBlack, 90);
    // The left edge, clear of the pie.
    const auto framePixels = [](const CScreenPixels& shown) {
        return shown.Count(RECT{0, 0, 1, kHeight}, [](COLORREF c) { return c != Face(); });
    };
    EXPECT_EQ(framePixels(Shown()), 0);
    ::SetFocus(Chart());
    EXPECT_GT(framePixels(Shown()), kHeight / 3); // dotted
    for (int i = 0; i < 4; ++i)
        m_chart.SendMessage(WM_KEYDOWN, VK_LEFT);
    m_chart.SendMessage(WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(m_chart.StartAngle(), -15);
    CScreenPixels turned = Shown();
    EXPECT_EQ(AtAngle(turned, 350), kRed);
    EXPECT_EQ(AtAngle(turned, 80), kBlue);
    ::SetFocus(m_host.m_hWnd);
    EXPECT_EQ(framePixels(Shown()), 0);
}

TEST_F(PieChartCtrlTest, ShowsTheCrossHairAndRepaintsWhenTheDpiChanges)
{
    m_chart.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(Chart()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_CROSS));
    testing_support::RepaintWatch watch(Chart());
    m_chart.SendMessage(WM_DPICHANGED_AFTERPARENT);
    EXPECT_TRUE(watch.Requested());
}

} // namespace
