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

// A flat combo box on a drop-down list set up as a dialog may (with edges of its own), a button after it.
class FlatComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kFace != kShadow && kFace != kLight && kShadow != kLight);
        PointerAway();
        ASSERT_TRUE(m_host.Create(L"host", WS_POPUP | WS_VISIBLE, RECT{100, 100, 400, 300}));
        HWND combo = ::CreateWindowExW(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, WC_COMBOBOXW, L"",
                                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 10, 10,
                                       160, 150, m_host.m_hWnd, reinterpret_cast<HMENU>(1001), nullptr, nullptr);
        m_go = ::CreateWindowExW(0, L"BUTTON", L"&Go", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 180, 10, 80, 24,
                                 m_host.m_hWnd, reinterpret_cast<HMENU>(kGoId), nullptr, nullptr);
        ASSERT_TRUE(m_combo.SubclassWindow(combo));
        ::SetForegroundWindow(m_host.m_hWnd);
        ::SetFocus(m_go);
        ::RedrawWindow(m_host.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testing_support::PumpMessages();
    }
    void TearDown() override
    {
        m_combo.SendMessage(CB_SHOWDROPDOWN, FALSE);
        ::ReleaseCapture();
        m_host.DestroyWindow();
        testing_support::PumpMessages();
    }

    // No message tells the box that the pointer has gone: its poll finds out. Wine's X driver
    // reports each warp once more, late, so the cases wait for the look to settle.
    static void PointerAway() { ::SetCursorPos(900, 900); }
    void PointerAt(int x) const { testing_support::MoveMouseTo(m_combo.m_hWnd, POINT{x, 5}); }
    void PointerOnBox() const { PointerAt(m_combo.GetClientRect().right / 3); }

    // The look the box's frame shows: the one whose colours its pixels have (kAny: any colour).
    std::string ShownLook() const
    {
        const CScreenPixels p(m_combo.m_hWnd);
        const int w = p.Width(), h = p.Height(), arrow = ::GetSystemMetrics(SM_CXHTHUMB);
        const POINT at[] = {{0, 0},         {w - 1, h - 1}, {1, 1},     {w - 2, h - 2}, {w - 2 - arrow, 3},
                            {w - 1 - arrow, 3}, {w - arrow, 3}, {w - 4, h - 3}, {w - 3, h - 3}};
        const COLORREF F = kFace, S = kShadow, L = kLight, kAny = CLR_INVALID;
        const std::pair<const char*, std::vector<COLORREF>> looks[] = {
            {"flat", {F, F, F, F, L, L, kAny, L, kAny}},
            {"hot", {S, L, F, F, kAny, L, F, S, kAny}},
            {"pressed", {S, L, F, F, kAny, kAny, S, F, L}},
            {"disabled", {F, F, L, L, F, kAny, kAny, F, kAny}},
        };
        for (const auto& [look, colours] : looks) {
            size_t i = 0;
            while (i < colours.size() && (colours[i] == kAny || p.At(at[i].x, at[i].y) == colours[i]))
                ++i;
            if (i == colours.size())
                return look;
        }
        return "other";
    }
    bool Shows(const char* look) const { return ShownLook() == look; }
    ::testing::AssertionResult ComesToShow(const char* look) const
    {
        if (PumpUntil([&] { return Shows(look); }, 3000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "shows " << ShownLook() << ", not " << look;
    }

    CDialogLikeHost m_host;
    CFlatComboBox m_combo;
    HWND m_go = nullptr;
};

// One walk of the pointer, the button and the focus over the box, looked at as the user sees it.
TEST_F(FlatComboBoxTest, FlatAtRestRaisedUnderThePointerOrWithTheFocusPressedHeldAndFlatWhenDisabled)
{
    EXPECT_TRUE(ComesToShow("flat"));
    const RECT client = m_combo.GetClientRect(), window = m_combo.GetWindowRect();
    EXPECT_EQ(client.right, window.right - window.left); // no edge outside it
    EXPECT_EQ(client.bottom, window.bottom - window.top);
    CMessageLog ticks(m_combo.m_hWnd, WM_TIMER);
    PointerOnBox();
    ASSERT_TRUE(ComesToShow("hot"));
    const COLORREF marker = RGB(255, 0, 255); // a poll that finds the look unchanged draws nothing
    ::SetPixel(fx::CClientDC(m_combo.m_hWnd).Get(), 0, 0, marker);
    ASSERT_TRUE(PumpUntil([&] { return ticks.Count() >= 3; }, 3000));
    EXPECT_EQ(CScreenPixels(m_combo.m_hWnd).At(0, 0), marker);
    // Once the pointer has left, the box settles flat and the poll stops: twenty periods pass without a tick.
    PointerAway();
    bool stopped = false;
    for (int attempt = 0; attempt < 15 && !stopped; ++attempt) {
        const int before = ComesToShow("flat") ? ticks.Count() : -1;
        stopped = before >= 0 && !PumpUntil([&] { return ticks.Count() > before; }, 200) && Shows("flat");
    }
    EXPECT_TRUE(stopped) << "the poll goes on: shows " << ShownLook();

    SCOPED_TRACE("the arrow looks pressed when the poll finds the button held");
    PointerAt(client.right - 5);
    ASSERT_TRUE(ComesToShow("hot"));
    INPUT input{INPUT_MOUSE, {}};
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ASSERT_EQ(::SendInput(1, &input, sizeof(input)), 1u);
    EXPECT_TRUE(ComesToShow("pressed"));
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(::SendInput(1, &input, sizeof(input)), 1u);
    m_combo.SendMessage(CB_SHOWDROPDOWN, FALSE);
    EXPECT_TRUE(ComesToShow("hot")); // released over the box

    SCOPED_TRACE("the focus, which the click gave it, raises it whatever the pointer does until it goes elsewhere");
    ASSERT_EQ(::GetFocus(), m_combo.m_hWnd);
    PointerOnBox();
    ASSERT_TRUE(ComesToShow("hot"));
    PointerAway();
    EXPECT_FALSE(PumpUntil([&] { return !Shows("hot"); }, 200));
    m_combo.RedrawNow();
    EXPECT_TRUE(Shows("hot"));
    ::SetFocus(m_go);
    EXPECT_TRUE(ComesToShow("flat"));
    m_combo.RedrawNow();
    EXPECT_TRUE(Shows("flat"));
    ::SetFocus(m_combo.m_hWnd); // as the keys give it
    EXPECT_TRUE(ComesToShow("hot"));

    SCOPED_TRACE("disabled, it answers the pointer no more: framed flat under it");
    PointerOnBox();
    ASSERT_TRUE(ComesToShow("hot"));
    m_combo.EnableWindow(false);
    m_combo.RedrawNow();
    EXPECT_TRUE(ComesToShow("disabled"));
}

// Escape, the arrows and Tab in the box are seen through Fennix's File Types box (tests/properties/KeyboardTest.cpp).
TEST_F(FlatComboBoxTest, AFocusedBoxTakesEnterAndShortcutsAndAnEditableOneLeavesItsEditShowing)
{
    ::SetFocus(m_combo.m_hWnd);
    ASSERT_EQ(::GetFocus(), m_combo.m_hWnd);
    CMessageLog keys(m_combo.m_hWnd, WM_KEYDOWN), commands(m_host.m_hWnd, WM_COMMAND);
    const auto pressed = [&] {
        return std::any_of(commands.seen.begin(), commands.seen.end(),
                           [](WPARAM wp) { return LOWORD(wp) == IDOK || LOWORD(wp) == kGoId; });
    };
    ::PostMessageW(m_combo.m_hWnd, WM_SYSCHAR, L'g', 0x20000001); // the Go button's Alt+G
    ::PostMessageW(m_combo.m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(RouteMessagesUntil([&] { return keys.Count() == 1; }));
    EXPECT_FALSE(pressed());
    ::SetFocus(m_go); // with the focus elsewhere the same shortcut presses the button
    ::PostMessageW(m_go, WM_SYSCHAR, L'g', 0x20000001);
    EXPECT_TRUE(RouteMessagesUntil(pressed));

    CFlatComboBox editable;
    ASSERT_TRUE(editable.SubclassWindow(::CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN,
                                                          10, 60, 160, 150, m_host.m_hWnd, nullptr, nullptr, nullptr)));
    editable.SetWindowText(L"WWWWWWWWWWWW");
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetComboBoxInfo(editable.m_hWnd, &info));
    ::RedrawWindow(editable.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::RedrawWindow(editable.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); // the box alone
    const CScreenPixels shown(editable.m_hWnd);
    const RECT& edit = info.rcItem;
    EXPECT_GT(shown.Count(edit, [](COLORREF c) { return c == ::GetSysColor(COLOR_WINDOW); }),
              (edit.right - edit.left) * (edit.bottom - edit.top) / 3);
    EXPECT_GT(shown.Count(edit, [](COLORREF c) { return c == ::GetSysColor(COLOR_WINDOWTEXT); }), 0);
    EXPECT_EQ(shown.At(0, 0), kFace);
}

} // namespace
