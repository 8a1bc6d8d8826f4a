#include "controls/FlatComboBox.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using testing_support::PumpUntil;
using testing_support::RouteMessagesUntil;

const int kGoId = 1002;
const COLORREF kFace = ::GetSysColor(COLOR_BTNFACE), kShadow = ::GetSysColor(COLOR_BTNSHADOW),
               kLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);

// A flat combo box on a drop-down list with edges a dialog may give it, a button after it: the pointer,
// the button, the focus and the keys over the box, looked at as the user sees it.
TEST(FlatComboBox, FlatAtRestRaisedUnderThePointerOrWithTheFocusPressedHeldFlatWhenDisabledAndTakesTheKeysFocused)
{
    // Its poll finds the pointer gone; Wine reports each warp once more, late: the walk waits for the look.
    const auto pointerAway = [] { ::SetCursorPos(900, 900); };
    pointerAway();
    CDialogLikeHost host;
    ASSERT_TRUE(host.Create(L"host", WS_POPUP | WS_VISIBLE, RECT{100, 100, 400, 300}));
    CFlatComboBox combo;
    ASSERT_TRUE(combo.SubclassWindow(::CreateWindowExW(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, WC_COMBOBOXW, L"",
                                                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 10, 10,
                                                       160, 150, host.m_hWnd, nullptr, nullptr, nullptr)));
    HWND go = ::CreateWindowExW(0, L"BUTTON", L"&Go", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 180, 10, 80, 24, host.m_hWnd,
                                reinterpret_cast<HMENU>(kGoId), nullptr, nullptr);
    ::SetForegroundWindow(host.m_hWnd);
    ::SetFocus(go);
    ::RedrawWindow(host.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const auto pointerAt = [&](int x) { testing_support::MoveMouseTo(combo.m_hWnd, POINT{x, 5}); };
    const RECT client = combo.GetClientRect(), window = combo.GetWindowRect();
    const auto pointerOnBox = [&] { pointerAt(client.right / 3); };
    // The look the box's frame shows: the one whose colours its pixels have (kAny: any colour).
    const auto shownLook = [&]() -> std::string {
        const CScreenPixels p(combo);
        const int w = client.right, h = client.bottom, arrow = ::GetSystemMetrics(SM_CXHTHUMB);
        const POINT at[] = {{0, 0},         {w - 1, h - 1}, {1, 1},     {w - 2, h - 2}, {w - 2 - arrow, 3},
                            {w - 1 - arrow, 3}, {w - arrow, 3}, {w - 4, h - 3}, {w - 3, h - 3}};
        const COLORREF F = kFace, S = kShadow, L = kLight, kAny = CLR_INVALID;
        const std::pair<const char*, std::vector<COLORREF>> looks[] = {
            {"flat", {F, F, F, F, L, L, kAny, L, kAny}},
            {"hot", {S, L, F, F, kAny, L, F, S, kAny}},
            {"pressed", {S, L, F, F, kAny, kAny, S, F, L}},
            {"disabled", {F, F, L, L, F, kAny, kAny, F, kAny}},
        };
        const auto has = [&](COLORREF colour, POINT pt) { return colour == kAny || p.At(pt.x, pt.y) == colour; };
        for (const auto& [look, colours] : looks)
            if (std::equal(colours.begin(), colours.end(), at, has))
                return look;
        return "other";
    };
    const auto shows = [&](const char* look) { return shownLook() == look; };
    const auto comesToShow = [&](const char* look) {
        return PumpUntil([&] { return shows(look); }, 3000) ? ::testing::AssertionSuccess()
                                                            : ::testing::AssertionFailure() << "shows " << shownLook();
    };

    EXPECT_TRUE(comesToShow("flat"));
    EXPECT_EQ(client.right, window.right - window.left); // no edge outside it
    CMessageLog ticks(combo.m_hWnd, WM_TIMER);
    pointerOnBox();
    ASSERT_TRUE(comesToShow("hot"));
    // Once the pointer has left, the box settles flat and the poll stops: twenty periods pass without a tick.
    pointerAway();
    bool stopped = false;
    for (int attempt = 0; attempt < 15 && !stopped; ++attempt) {
        const int before = comesToShow("flat") ? ticks.Count() : -1;
        stopped = before >= 0 && !PumpUntil([&] { return ticks.Count() > before; }, 200) && shows("flat");
    }
    EXPECT_TRUE(stopped) << "the poll goes on: shows " << shownLook();

    SCOPED_TRACE("the arrow looks pressed when the poll finds the button held");
    pointerAt(client.right - 5);
    ASSERT_TRUE(comesToShow("hot"));
    INPUT input{INPUT_MOUSE, {}};
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ASSERT_EQ(::SendInput(1, &input, sizeof(input)), 1u);
    EXPECT_TRUE(comesToShow("pressed"));
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(::SendInput(1, &input, sizeof(input)), 1u);
    combo.SendMessage(CB_SHOWDROPDOWN, FALSE);
    EXPECT_TRUE(comesToShow("hot")); // released over the box

    SCOPED_TRACE("the focus the click gave it keeps it raised wherever the pointer goes, until it goes elsewhere");
    ASSERT_EQ(::GetFocus(), combo.m_hWnd);
    pointerAway();
    EXPECT_FALSE(PumpUntil([&] { return !shows("hot"); }, 200));
    combo.RedrawNow();
    EXPECT_TRUE(shows("hot"));
    ::SetFocus(go);
    EXPECT_TRUE(comesToShow("flat"));
    ::SetFocus(combo.m_hWnd); // as the keys give it
    EXPECT_TRUE(comesToShow("hot"));

    SCOPED_TRACE("disabled, it answers the pointer no more: framed flat under it");
    combo.EnableWindow(false);
    EXPECT_TRUE(PumpUntil([&] { // put back while Wine's late report of an earlier warp takes the pointer away
        pointerOnBox();
        combo.RedrawNow();
        POINT at{};
        const RECT box = combo.GetWindowRect();
        return ::GetCursorPos(&at) && ::PtInRect(&box, at) && shows("disabled");
    }, 3000)) << "shows " << shownLook();

    SCOPED_TRACE("with the focus, Enter and the dialog's shortcuts go to the box");
    combo.EnableWindow(true);
    ::SetFocus(combo.m_hWnd);
    CMessageLog keys(combo.m_hWnd, WM_KEYDOWN), commands(host.m_hWnd, WM_COMMAND);
    const auto pressed = [&] {
        return std::ranges::any_of(commands.seen, [](WPARAM wp) { return LOWORD(wp) == IDOK || LOWORD(wp) == kGoId; });
    };
    ::PostMessageW(combo.m_hWnd, WM_SYSCHAR, L'g', 0x20000001); // the Go button's Alt+G
    ::PostMessageW(combo.m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(RouteMessagesUntil([&] { return keys.Count() == 1; }));
    EXPECT_FALSE(pressed());
    ::SetFocus(go); // with the focus elsewhere the same shortcut presses the button
    ::PostMessageW(go, WM_SYSCHAR, L'g', 0x20000001);
    EXPECT_TRUE(RouteMessagesUntil(pressed));

    SCOPED_TRACE("an editable box repainted leaves its edit showing");
    CFlatComboBox editable;
    ASSERT_TRUE(editable.SubclassWindow(::CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN,
                                                          10, 60, 160, 150, host.m_hWnd, nullptr, nullptr, nullptr)));
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetComboBoxInfo(editable.m_hWnd, &info));
    ::RedrawWindow(editable.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::RedrawWindow(editable.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); // the box alone
    const CScreenPixels shown(editable);
    const RECT& edit = info.rcItem;
    EXPECT_GT(shown.Count(edit, [](COLORREF c) { return c == ::GetSysColor(COLOR_WINDOW); }),
              (edit.right - edit.left) * (edit.bottom - edit.top) / 3);
    EXPECT_EQ(shown.At(0, 0), kFace);
    host.DestroyWindow();
    testing_support::PumpMessages();
}

} // namespace
