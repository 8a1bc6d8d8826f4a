#include "controls/BusyBar.h"
#include "controls/GradientProgressCtrl.h"
#include "framework/Handle.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kFace = RGB(200, 200, 200), kWhite = RGB(255, 255, 255);

// A whole round: out to the right end, where the head waits for the tail (the turn), back the same way.
TEST(BusyBar, RunsToEachEndWaitsThereForTheTailAndShowsEachStepFromAnyThreadAtTheNextTick)
{
    const struct {
        int length, calls; // length 0: the default band of forty
        SBusyBand band;
        bool turning;
    } after[] = {
        {30, 0, {0, 0, false}, false},     {30, 29, {29, 0, false}, false},   {30, 30, {30, 1, false}, false},
        {30, 100, {100, 71, false}, false}, {30, 101, {100, 71, false}, true}, {30, 130, {100, 100, false}, true},
        {30, 131, {99, 100, true}, false}, {0, 41, {41, 2, false}, false},    {30, 159, {71, 100, true}, false},
        {30, 160, {70, 99, true}, false},  {30, 230, {0, 29, true}, false},   {30, 231, {0, 29, true}, true},
        {30, 260, {0, 0, true}, true},     {30, 261, {1, 0, false}, false},   {30, 360, {100, 71, false}, false},
    };
    for (const auto& expected : after) {
        SCOPED_TRACE(testing::Message() << expected.calls << " calls");
        CBusyMotion motion;
        if (expected.length)
            motion.SetBandLength(expected.length);
        for (int i = 0; i < expected.calls; ++i)
            motion.Step();
        EXPECT_EQ(motion.Band(), expected.band);
        EXPECT_EQ(motion.IsTurning(), expected.turning);
    }
    // Equal colours make one strip.
    EXPECT_EQ((SBusyBand{50, 20, false}.Bands(200, kRed, kRed)), (std::vector<SColorBand>{{40, 100, kRed}}));

    SCOPED_TRACE("a busy bar on a static, set up as a dialog does: steps from other threads show at the next tick");
    const int width = 200, height = 12;
    fx::CFrameWnd host;
    ASSERT_TRUE(host.Create(L"host", WS_POPUP | WS_VISIBLE, RECT{0, 0, 300, 100}));
    CBusyBar bar; // the static's own text must not show through
    ASSERT_TRUE(bar.SubclassWindow(::CreateWindowExW(0, L"STATIC", L"text of the static", WS_CHILD | WS_VISIBLE, 10, 10,
                                                     width, height, host.m_hWnd, nullptr, nullptr, nullptr)));
    bar.SetBackColor(kFace);
    bar.SetColors(kRed, kBlue);
    bar.SetBandLength(30);
    // Whether the band shows from left up to right alone, full height, from one colour to the other.
    const auto showsBand = [&](int left, int right, COLORREF leftColour, COLORREF rightColour) {
        const CScreenPixels p(bar);
        const auto like = [](COLORREF c, COLORREF to) {
            return std::abs(GetRValue(c) - GetRValue(to)) < 56 && std::abs(GetBValue(c) - GetBValue(to)) < 60 &&
                   GetGValue(c) == 0;
        };
        const auto off = [](COLORREF c) { return c != kFace; };
        return p.Count(RECT{0, 0, left, height}, off) + p.Count(RECT{right, 0, width, height}, off) == 0 &&
               like(p.At(left, 0), leftColour) && like(p.At(right - 1, height - 1), rightColour);
    };
    std::atomic<int> waiting{1};
    const auto work = [&](int steps) {
        --waiting; // those started together step at once
        while (waiting.load() > 0)
            std::this_thread::yield();
        for (int i = 0; i < steps; ++i)
            bar.Step();
    };
    std::thread(work, 50).join();
    EXPECT_TRUE(testing_support::PumpUntil([&] { return showsBand(42, 100, kRed, kBlue); }, 2000)); // head 50, tail 21
    // Two at once, long enough to interleave on a busy machine, each step counted: 4,000,050 steps are
    // 210 into a round of 260, turned at the right end: head 20, tail 49, the lead colour left.
    waiting = 2;
    std::thread first(work, 2000000), second(work, 2000000);
    first.join();
    second.join();
    EXPECT_TRUE(testing_support::PumpUntil([&] { return showsBand(40, 98, kBlue, kRed); }, 2000));
    host.DestroyWindow();
    testing_support::PumpMessages();
}

// A gradient bar attached to a progress bar on a host window: what each position shows.
TEST(GradientProgressCtrl, EachPositionShowsItsShareInWholeStripsAndItsPercentageAndTheEndsShowBlank)
{
    const int width = 300, height = 20, row = 2; // the row above the text
    fx::CFrameWnd host;
    ASSERT_TRUE(host.Create(L"host", WS_POPUP | WS_VISIBLE, RECT{0, 0, 400, 100}));
    CGradientProgressCtrl bar;
    ASSERT_TRUE(bar.SubclassWindow(::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 10, width,
                                                     height, host.m_hWnd, nullptr, nullptr, nullptr)));
    // Crisp glyphs, so a drawn text can be compared pixel for pixel.
    const fx::CFontHandle font(::CreateFontW(-14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                             NONANTIALIASED_QUALITY, 0, L"Tahoma"));
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
        const CScreenPixels shown(bar);
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
        const auto print = [&](HDC dc) { bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT); };
        EXPECT_TRUE(CScreenPixels(width, height, print) == shown);
    }
    host.DestroyWindow();
    testing_support::PumpMessages();
}

} // namespace
