#include "controls/GradientProgressCtrl.h"
#include "framework/Handle.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 160, 0), kWhite = RGB(255, 255, 255);

TEST(ProgressGauge, ShareAndPercentOfEachPosition)
{
    const struct {
        int lower, upper, step, steps;
        int position, filled; // of 300 pixels
        const wchar_t* text;
        size_t bands; // 0: blank; 1: a single strip
    } cases[] = {
        {0, 100, 10, 1, 10, 30, L"10%", 99},   // the defaults: 0 to 100 in steps of 10
        {0, 3, 1, 0, 0, 0, L"", 0},            // nothing shown at the lower end
        {0, 3, 1, 2, 2, 200, L"67%", 99},
        {0, 3, 1, 3, 3, 0, L"", 0},            // nor at the upper end
        {0, 2, 1, 5, 5, 0, L"", 0},            // stepping on past the end keeps counting
        {0, 8, 1, 1, 1, 37, L"13%", 99},       // an exact half rounds up
        {50, 150, 25, 1, 75, 75, L"25%", 99},  // measured from the lower end
        {0, 1000000, 1, 1, 1, 0, L"0%", 1},    // a tiny share still shows one strip
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lower << ".." << c.upper << " after " << c.steps);
        CProgressGauge gauge;
        if (c.upper != 100)
            gauge.SetRange(c.lower, c.upper);
        if (c.step != 10)
            gauge.SetStep(c.step);
        for (int i = 0; i < c.steps; ++i)
            gauge.StepIt();
        EXPECT_EQ(gauge.Position(), c.position);
        EXPECT_EQ(gauge.FilledWidth(300), c.filled);
        EXPECT_EQ(gauge.PercentText(), c.text);
        const std::vector<SColorBand> bands = gauge.FilledBands(300, kRed, kBlue);
        EXPECT_TRUE(c.bands == 99 || bands.size() == c.bands);
        EXPECT_TRUE(c.bands != 1 || (bands.size() == 1 && bands[0] == SColorBand{0, 1, kRed}));
        if (c.bands) // equal colours: the reached part in that colour, a pixel at least
            EXPECT_EQ(gauge.FilledBands(300, kGreen, kGreen), (std::vector<SColorBand>{{0, std::max(c.filled, 1), kGreen}}));
        gauge.SetRange(c.lower, c.upper); // back to the start
        EXPECT_EQ(gauge.Position(), c.lower);
    }
}

// A gradient bar attached to a progress bar on a host window.
class GradientProgressCtrlTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 300, kHeight = 20;

    void SetUp() override
    {
        ASSERT_TRUE(m_host.Create(L"host", WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 100}));
        ASSERT_TRUE(m_bar.SubclassWindow(::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 10, kWidth,
                                                           kHeight, m_host.m_hWnd, nullptr, nullptr, nullptr)));
        // Crisp glyphs, so a drawn text can be compared pixel for pixel.
        LOGFONTW lf{};
        lf.lfHeight = -14;
        lf.lfWeight = FW_BOLD;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        wcscpy_s(lf.lfFaceName, L"Tahoma");
        m_font.Reset(::CreateFontIndirectW(&lf));
        m_bar.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
        m_bar.m_startColor = kRed;
        m_bar.m_endColor = kBlue;
        m_bar.m_textColor = kWhite;
        m_bar.m_showPercentage = true;
        m_bar.m_backColor = RGB(10, 20, 30);
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        testing_support::PumpMessages();
    }

    CScreenPixels Shown() // once the bar has caught up with its changes
    {
        ::UpdateWindow(m_bar.m_hWnd);
        return CScreenPixels(m_bar.m_hWnd);
    }
    // A text drawn centred over the bar's area, white on black: the shape the bar's text must have.
    std::vector<bool> TextShape(const wchar_t* text)
    {
        CScreenPixels drawn(kWidth, kHeight, [&](HDC dc) {
            RECT area{0, 0, kWidth, kHeight};
            ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
            fx::CSelectObject select(dc, m_font.Get());
            ::SetTextColor(dc, kWhite);
            ::SetBkMode(dc, TRANSPARENT);
            ::DrawTextW(dc, text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        });
        return drawn.Mask(kWhite);
    }
    bool IsBack(COLORREF c) const { return c == m_bar.m_backColor; }

    fx::CFrameWnd m_host;
    CGradientProgressCtrl m_bar;
    fx::CFontHandle m_font;
};

TEST_F(GradientProgressCtrlTest, EachStepShowsItsShareAndPercentageAndTheEndsShowBlank)
{
    m_bar.SetRange(0, 3);
    m_bar.SetStep(1);
    const auto blank = [this](const CScreenPixels& shown) { return shown.Count([this](COLORREF c) { return !IsBack(c); }) == 0; };
    EXPECT_TRUE(blank(Shown()));
    const std::pair<const wchar_t*, int> steps[] = {{L"33%", 100}, {L"67%", 200}, {}, {}, {}}; // the exact share
    for (const auto& [text, reached] : steps) {
        SCOPED_TRACE(testing::Message() << "step to " << reached);
        {
            testing_support::RepaintWatch watch(m_bar.m_hWnd);
            m_bar.StepIt();
            EXPECT_TRUE(watch.Requested());
        }
        const CScreenPixels shown = Shown();
        EXPECT_EQ(blank(shown), !text); // from the upper end on
        if (!text)
            continue;
        const int row = 2; // above the text
        EXPECT_EQ(shown.At(0, row), kRed);
        EXPECT_NEAR(GetBValue(shown.At(99, row)), 85, 3); // a third along the whole width's ramp
        for (int x = 1; x < reached; ++x) {
            ASSERT_FALSE(IsBack(shown.At(x, row))) << "x " << x;
            ASSERT_LE(GetRValue(shown.At(x, row)), GetRValue(shown.At(x - 1, row))) << "x " << x;
            ASSERT_GE(GetBValue(shown.At(x, row)), GetBValue(shown.At(x - 1, row))) << "x " << x;
        }
        // Whole strips of about 1.2 pixels: the reached part ends within one; top to bottom.
        EXPECT_EQ(shown.Count(RECT{reached + 2, 0, kWidth, kHeight}, [&](COLORREF c) { return !IsBack(c) && c != kWhite; }), 0);
        EXPECT_EQ(shown.At(reached / 2, 0), shown.At(reached / 2, kHeight - 1));
        const std::vector<bool> shape = shown.Mask(kWhite); // centred, in the text colour
        EXPECT_GT(std::count(shape.begin(), shape.end(), true), 20);
        EXPECT_TRUE(shape == TextShape(text));
    }
}

TEST_F(GradientProgressCtrlTest, RangeAboveSixteenBitsAndPrintedLikeItIsShown)
{
    m_bar.SetRange(0, 100000);
    m_bar.SetStep(50000);
    EXPECT_EQ(m_bar.SendMessage(PBM_GETRANGE, FALSE), 100000); // the progress bar underneath holds it too
    m_bar.StepIt();
    CScreenPixels shown = Shown();
    EXPECT_FALSE(IsBack(shown.At(148, 2)));
    EXPECT_TRUE(IsBack(shown.At(152, 2)));
    EXPECT_TRUE(shown.Mask(kWhite) == TextShape(L"50%"));
    CScreenPixels printed(kWidth, kHeight, [this](HDC dc) {
        m_bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
    EXPECT_TRUE(printed.Mask(kWhite) == shown.Mask(kWhite));
    for (int x = 0; x < kWidth; ++x)
        ASSERT_EQ(printed.At(x, 2), shown.At(x, 2)) << "x " << x;
}

} // namespace
