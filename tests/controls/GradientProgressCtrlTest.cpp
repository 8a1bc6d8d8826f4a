#include "controls/GradientProgressCtrl.h"
#include "framework/Handle.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);

// A gradient bar attached to a progress bar on a host window: what each position shows.
TEST(GradientProgressCtrl, EachPositionShowsItsShareInWholeStripsAndItsPercentageAndTheEndsShowBlank)
{
    const int width = 300, height = 20, row = 2; // the row above the text
    fx::CFrameWnd host;
    ASSERT_TRUE(host.Create(L"host", WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 100}));
    CGradientProgressCtrl bar;
    ASSERT_TRUE(bar.SubclassWindow(::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 10, width,
                                                     height, host.m_hWnd, nullptr, nullptr, nullptr)));
    LOGFONTW lf{}; // crisp glyphs, so a drawn text can be compared pixel for pixel
    lf.lfHeight = -14;
    lf.lfWeight = FW_BOLD;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    wcscpy_s(lf.lfFaceName, L"Tahoma");
    const fx::CFontHandle font(::CreateFontIndirectW(&lf));
    bar.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    bar.m_textColor = kWhite;
    bar.m_showPercentage = true;
    bar.m_backColor = RGB(10, 20, 30);
    // A text drawn centred over the bar's area, white on black: the shape the bar's text must have.
    const auto textShape = [&](const wchar_t* text) {
        return CScreenPixels(width, height, [&](HDC dc) {
            RECT area{0, 0, width, height};
            fx::CSelectObject select(dc, font.Get());
            ::SetTextColor(dc, kWhite);
            ::SetBkMode(dc, TRANSPARENT);
            ::DrawTextW(dc, text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }).Mask(kWhite);
    };
    const auto isBack = [&](COLORREF c) { return c == bar.m_backColor; };
    const struct {
        int lower, upper, step, steps;
        const wchar_t* text; // null: blank
        int end;             // where the strips end: the first strip (of 300 / 255 pixels) past the share
        COLORREF endColor;
    } cases[] = {
        {0, 3, 1, 0, nullptr, 0, kBlue}, // nothing shown at the lower end
        {0, 3, 1, 1, L"33%", 101, kBlue},
        {0, 3, 1, 2, L"67%", 201, kBlue},
        {0, 3, 1, 3, nullptr, 0, kBlue}, // nor at the upper end
        {0, 3, 1, 5, nullptr, 0, kBlue}, // nor stepped past it
        {0, 8, 1, 1, L"13%", 38, kBlue},           // an exact half rounds up
        {50, 150, 25, 1, L"25%", 76, kBlue},       // measured from the lower end
        {0, 100000, 50000, 1, L"50%", 151, kBlue}, // above sixteen bits, as the progress bar underneath holds it
        {0, 1000000, 1, 1, L"0%", 1, kBlue},       // a tiny share still shows one strip
        {0, 1000000, 1, 1, L"0%", 1, kRed},        // one colour: a pixel at least
        {0, 8, 1, 1, L"13%", 37, kRed},            // and the share exactly
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lower << ".." << c.upper << " after " << c.steps);
        bar.m_startColor = kRed;
        bar.m_endColor = c.endColor;
        bar.SetRange(c.lower, c.upper);
        bar.SetStep(c.step);
        EXPECT_EQ(bar.SendMessage(PBM_GETRANGE, FALSE), c.upper);
        for (int i = 0; i < c.steps; ++i)
            bar.StepIt();
        ::UpdateWindow(bar.m_hWnd);
        const CScreenPixels shown(bar.m_hWnd);
        EXPECT_EQ(shown.Count(RECT{0, row, c.end, row + 1}, isBack), 0);
        EXPECT_EQ(shown.Count(RECT{c.end, 0, width, height}, [&](COLORREF p) { return !isBack(p) && p != kWhite; }), 0);
        EXPECT_TRUE(shown.Mask(kWhite) == textShape(c.text ? c.text : L""));
        if (!c.text)
            continue;
        EXPECT_EQ(shown.At(0, row), kRed);
        EXPECT_EQ(shown.At(c.end / 2, 0), shown.At(c.end / 2, height - 1)); // top to bottom
        if (c.end > 99) { // a third along the whole width's ramp
            EXPECT_NEAR(GetBValue(shown.At(99, row)), 85, 3);
        }
        const CScreenPixels printed(width, height, [&](HDC dc) {
            bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        });
        EXPECT_TRUE(printed == shown);
    }
    host.DestroyWindow();
    testing_support::PumpMessages();
}

} // namespace
