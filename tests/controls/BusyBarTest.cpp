#include "controls/BusyBar.h"
#include "framework/Handle.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kFace = RGB(200, 200, 200);

// A whole round: out to the right end, where the head waits for the tail
// (the turn), back to the left end the same way, and out again as after the
// very first call.
TEST(BusyMotion, RunsToEachEndAndWaitsThereForTheTail)
{
    const struct {
        int length, calls; // length 0: the default band of forty
        SBusyBand band;
        bool turning;
    } after[] = {
        {30, 0, SBusyBand{0, 0, false}, false},      {30, 29, SBusyBand{29, 0, false}, false},
        {30, 30, SBusyBand{30, 1, false}, false},    {30, 100, SBusyBand{100, 71, false}, false},
        {30, 101, SBusyBand{100, 71, false}, true},  {30, 130, SBusyBand{100, 100, false}, true},
        {30, 131, SBusyBand{99, 100, true}, false},  {0, 41, SBusyBand{41, 2, false}, false},
        {30, 159, SBusyBand{71, 100, true}, false},  {30, 160, SBusyBand{70, 99, true}, false},
        {30, 230, SBusyBand{0, 29, true}, false},    {30, 231, SBusyBand{0, 29, true}, true},
        {30, 260, SBusyBand{0, 0, true}, true},      {30, 261, SBusyBand{1, 0, false}, false},
        {30, 360, SBusyBand{100, 71, false}, false},
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
}

TEST(BusyMotion, StepsFromSeveralThreadsAreAllCounted)
{
    const int perThread = 2000000; // long enough for the two to run at once on a busy machine
    CBusyMotion motion;
    motion.SetBandLength(30);
    std::atomic<int> waiting{2};
    auto work = [&] {
        // Both start at once, so their steps interleave.
        --waiting;
        while (waiting.load() > 0)
            std::this_thread::yield();
        for (int i = 0; i < perThread; ++i)
            motion.Step();
    };
    std::thread first(work), second(work);
    first.join();
    second.join();
    CBusyMotion alone;
    alone.SetBandLength(30);
    for (int i = 0; i < 2 * perThread; ++i)
        alone.Step();
    EXPECT_EQ(motion.Band(), alone.Band());
}

TEST(BusyBand, EqualColoursMakeOneStrip)
{
    EXPECT_EQ((SBusyBand{50, 20, false}.Bands(200, kRed, kRed)), (std::vector<SColorBand>{{40, 100, kRed}}));
}

// A busy bar attached to a static on a host window, set up as a dialog does.
class BusyBarTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 200, kHeight = 12;

    void SetUp() override
    {
        ASSERT_TRUE(m_host.Create(L"host", WS_POPUP | WS_VISIBLE, RECT{0, 0, 300, 100}));
        // The static's own text must not show through.
        ASSERT_TRUE(m_bar.SubclassWindow(::CreateWindowExW(0, L"STATIC", L"text of the static", WS_CHILD | WS_VISIBLE, 10,
                                                           10, kWidth, kHeight, m_host.m_hWnd, nullptr, nullptr, nullptr)));
        m_bar.SetBackColor(kFace);
        m_bar.SetColors(kRed, kBlue);
        m_bar.SetBandLength(30);
        ::UpdateWindow(m_bar.m_hWnd);
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        testing_support::PumpMessages();
    }

    // Whether the band shows from left up to right: back colour outside, trail colour left, lead right.
    bool ShowsBand(int left, int right)
    {
        CScreenPixels shown(m_bar.m_hWnd);
        auto reddish = [](COLORREF c) { return GetRValue(c) > 200 && GetBValue(c) < 60 && GetGValue(c) == 0; };
        auto bluish = [](COLORREF c) { return GetBValue(c) > 200 && GetRValue(c) < 60 && GetGValue(c) == 0; };
        for (int y : {0, kHeight - 1})
            if (shown.At(left - 1, y) != kFace || shown.At(right, y) != kFace || !reddish(shown.At(left, y)) ||
                !bluish(shown.At(right - 1, y)))
                return false;
        return shown.Count(RECT{0, 0, left, kHeight}, [](COLORREF c) { return c != kFace; }) == 0 &&
               shown.Count(RECT{right, 0, kWidth, kHeight}, [](COLORREF c) { return c != kFace; }) == 0;
    }

    fx::CFrameWnd m_host;
    CBusyBar m_bar;
};

TEST_F(BusyBarTest, IdleBarIsNotRepaintedAndStepsFromAnotherThreadShowAtTheNextTick)
{
    const CScreenPixels unstepped(m_bar.m_hWnd);
    EXPECT_EQ(unstepped.Width(), kWidth);
    EXPECT_EQ(unstepped.Count([](COLORREF c) { return c != kFace; }), 0);
    CMessageLog ticks(m_bar.m_hWnd, WM_TIMER);
    {
        testing_support::RepaintWatch watch(m_bar.m_hWnd);
        ASSERT_TRUE(testing_support::PumpUntil([&] { return ticks.Count() >= 3; }, 2000));
        EXPECT_FALSE(watch.Requested());
    }
    std::thread worker([this] {
        for (int i = 0; i < 50; ++i)
            m_bar.Step();
    });
    worker.join();
    EXPECT_FALSE(::GetUpdateRect(m_bar.m_hWnd, nullptr, FALSE)); // the worker asked nothing of the window
    const int before = ticks.Count();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return ShowsBand(42, 100); }, 2000)); // head 50, tail 21
    EXPECT_GT(ticks.Count(), before); // the timer did
    const CScreenPixels shown(m_bar.m_hWnd);
    const CScreenPixels printed(kWidth, kHeight, [this](HDC dc) {
        m_bar.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
    for (int x = 0; x < kWidth; ++x)
        ASSERT_EQ(printed.At(x, 5), shown.At(x, 5)) << "x " << x;
    // Turned at the right end, the tail started after the head: head 69, tail 98, the lead colour left.
    for (int i = 50; i < 131 + 30; ++i)
        m_bar.Step();
    EXPECT_TRUE(testing_support::PumpUntil([this] {
        const CScreenPixels p(m_bar.m_hWnd);
        return GetBValue(p.At(138, 5)) > 200 && GetRValue(p.At(195, 5)) > 200 && p.At(137, 5) == kFace && p.At(196, 5) == kFace;
    }, 2000));
}

} // namespace
