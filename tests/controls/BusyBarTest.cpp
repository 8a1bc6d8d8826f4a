#include "controls/BusyBar.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

namespace {

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kFace = RGB(200, 200, 200);

// A whole round: out to the right end, where the head waits for the tail (the turn), back the same way.
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
    // Equal colours make one strip.
    EXPECT_EQ((SBusyBand{50, 20, false}.Bands(200, kRed, kRed)), (std::vector<SColorBand>{{40, 100, kRed}}));
}

TEST(BusyMotion, StepsFromSeveralThreadsAreAllCounted)
{
    const int perThread = 2000000; // long enough for the two to run at once on a busy machine
    CBusyMotion motion;
    motion.SetBandLength(30);
    std::atomic<int> waiting{2};
    auto work = [&] {
        --waiting; // both start at once, so their steps interleave
        while (waiting.load() > 0)
            std::this_thread::yield();
        for (int i = 0; i < perThread; ++i)
            motion.Step();
    };
    std::thread first(work), second(work);
    first.join();
    second.join();
    EXPECT_EQ(motion.Band(), (SBusyBand{70, 99, true})); // as after 160 steps: a round is 260
}

// A busy bar attached to a static on a host window, set up as a dialog does.
TEST(BusyBar, StepsFromAnotherThreadShowAtTheNextTick)
{
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
        const CScreenPixels p(bar.m_hWnd);
        const auto like = [](COLORREF c, COLORREF to) {
            return std::abs(GetRValue(c) - GetRValue(to)) < 56 && std::abs(GetBValue(c) - GetBValue(to)) < 60 &&
                   GetGValue(c) == 0;
        };
        const auto off = [](COLORREF c) { return c != kFace; };
        return p.Count(RECT{0, 0, left, height}, off) + p.Count(RECT{right, 0, width, height}, off) == 0 &&
               like(p.At(left, 0), leftColour) && like(p.At(right - 1, height - 1), rightColour);
    };
    ::UpdateWindow(bar.m_hWnd);
    EXPECT_EQ(CScreenPixels(bar.m_hWnd).Count(RECT{0, 0, width, height}, [](COLORREF c) { return c != kFace; }), 0);
    std::thread worker([&bar] {
        for (int i = 0; i < 50; ++i)
            bar.Step();
    });
    worker.join();
    EXPECT_TRUE(testing_support::PumpUntil([&] { return showsBand(42, 100, kRed, kBlue); }, 2000)); // head 50, tail 21
    // Turned at the right end, the tail started after the head: head 69, tail 98, the lead colour left.
    for (int i = 50; i < 131 + 30; ++i)
        bar.Step();
    EXPECT_TRUE(testing_support::PumpUntil([&] { return showsBand(138, 196, kBlue, kRed); }, 2000));
    host.DestroyWindow();
    testing_support::PumpMessages();
}

} // namespace
