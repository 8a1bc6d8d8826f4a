#include "controls/FlatComboBox.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::PumpUntil;
using testing_support::RouteMessagesUntil;

const int kGoId = 1002;
const COLORREF kFace = ::GetSysColor(COLOR_BTNFACE), kShadow = ::GetSysColor(COLOR_BTNSHADOW),
               kLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);

// A window that moves among its controls with the keys as a dialog does, recording its commands.
class CDialogLikeHost : public fx::CFrameWnd {
public:
    bool PreTranslateMessage(MSG* msg) override { return ::IsDialogMessageW(m_hWnd, msg) != FALSE; }
    std::vector<int> commands;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL || LOWORD(wp) == kGoId))
            commands.push_back(LOWORD(wp));
        return Default(msg, wp, lp);
    }
};

// Lets a stretch of time pass, answering messages, to see that nothing more happens meanwhile.
bool LetPass(UINT milliseconds)
{
    static bool elapsed;
    elapsed = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, milliseconds, [](HWND, UINT, UINT_PTR, DWORD) { elapsed = true; });
    const bool passed = PumpUntil([] { return elapsed; }, 3000);
    ::KillTimer(nullptr, timer);
    return passed;
}

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
        for (const wchar_t* text : {L"All files", L"Documents", L"Pictures"})
            ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
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

    // The look the box's frame shows, told by pixels that only that look gives them.
    std::string ShownLook() const
    {
        const CScreenPixels p(m_combo.m_hWnd);
        const int w = p.Width(), h = p.Height(), arrow = ::GetSystemMetrics(SM_CXHTHUMB);
        const bool outerFlat = p.At(0, 0) == kFace && p.At(w - 1, h - 1) == kFace;
        const bool outerRaised = p.At(0, 0) == kShadow && p.At(w - 1, h - 1) == kLight;
        const COLORREF beforeArrow = p.At(w - 2 - arrow, 3), arrowEdge = p.At(w - 1 - arrow, 3),
                       inArrow = p.At(w - arrow, 3), arrowBottom = p.At(w - 4, h - 3);
        if (outerFlat && p.At(1, 1) == kLight && p.At(w - 2, h - 2) == kLight && beforeArrow == kFace &&
            arrowBottom == kFace)
            return "disabled";
        if (p.At(1, 1) != kFace || p.At(w - 2, h - 2) != kFace)
            return "other";
        if (outerFlat && beforeArrow == kLight && arrowEdge == kLight && arrowBottom == kLight)
            return "flat";
        if (outerRaised && arrowEdge == kLight && arrowBottom == kShadow && inArrow == kFace)
            return "hot";
        if (outerRaised && inArrow == kShadow && p.At(w - 3, h - 3) == kLight && arrowBottom == kFace)
            return "pressed";
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

TEST_F(FlatComboBoxTest, IdleBoxIsFlatWithNoEdgeOutsideItRaisedUnderThePointerAndFramedWhenDisabled)
{
    EXPECT_TRUE(ComesToShow("flat"));
    const RECT client = m_combo.GetClientRect(), window = m_combo.GetWindowRect();
    EXPECT_EQ(client.right, window.right - window.left);
    EXPECT_EQ(client.bottom, window.bottom - window.top);
    PointerOnBox();
    EXPECT_TRUE(ComesToShow("hot"));
    // Disabled, the box answers the pointer no more: framed flat under it too.
    m_combo.EnableWindow(false);
    m_combo.RedrawNow();
    EXPECT_TRUE(ComesToShow("disabled"));
    PointerAway();
    m_combo.EnableWindow(true);
    m_combo.RedrawNow();
    EXPECT_TRUE(ComesToShow("flat"));
}

TEST_F(FlatComboBoxTest, PollDrawsNothingWhileTheLookStaysAndStopsOnceThePointerHasLeft)
{
    CMessageLog ticks(m_combo.m_hWnd, WM_TIMER);
    PointerOnBox();
    ASSERT_TRUE(ComesToShow("hot"));
    const COLORREF marker = RGB(255, 0, 255);
    ::SetPixel(fx::CClientDC(m_combo.m_hWnd).Get(), 0, 0, marker);
    ASSERT_TRUE(PumpUntil([&] { return ticks.Count() >= 3; }, 3000));
    EXPECT_EQ(CScreenPixels(m_combo.m_hWnd).At(0, 0), marker);
    // Once the pointer has left, the box settles flat and the poll stops: twenty periods pass without a tick.
    PointerAway();
    bool stopped = false;
    for (int attempt = 0; attempt < 15 && !stopped; ++attempt) {
        const int before = ComesToShow("flat") ? ticks.Count() : -1;
        stopped = before >= 0 && LetPass(200) && ticks.Count() == before && Shows("flat");
    }
    EXPECT_TRUE(stopped) << "the poll goes on: shows " << ShownLook();
}

TEST_F(FlatComboBoxTest, FocusRaisesTheBoxUntilItGoesElsewhere)
{
    ASSERT_TRUE(ComesToShow("flat"));
    ::SetFocus(m_combo.m_hWnd);
    ASSERT_EQ(::GetFocus(), m_combo.m_hWnd);
    EXPECT_TRUE(ComesToShow("hot"));
    // The pointer passing over and away, or a repaint, leaves a focused box raised.
    PointerOnBox();
    ASSERT_TRUE(ComesToShow("hot"));
    PointerAway();
    ASSERT_TRUE(LetPass(200));
    EXPECT_TRUE(Shows("hot"));
    m_combo.RedrawNow();
    EXPECT_TRUE(Shows("hot"));
    ::SetFocus(m_go);
    EXPECT_TRUE(ComesToShow("flat"));
    m_combo.RedrawNow();
    EXPECT_TRUE(Shows("flat"));
}

TEST_F(FlatComboBoxTest, ArrowLooksPressedWhenThePollFindsTheButtonHeld)
{
    PointerAt(m_combo.GetClientRect().right - 5);
    ASSERT_TRUE(ComesToShow("hot"));
    const auto button = [](DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        return ::SendInput(1, &input, sizeof(input));
    };
    ASSERT_EQ(button(MOUSEEVENTF_LEFTDOWN), 1u); // as the user presses it
    EXPECT_TRUE(ComesToShow("pressed"));
    ASSERT_EQ(button(MOUSEEVENTF_LEFTUP), 1u);
    m_combo.SendMessage(CB_SHOWDROPDOWN, FALSE);
    EXPECT_TRUE(ComesToShow("hot")); // released over the box, which has the focus from the click
}

TEST_F(FlatComboBoxTest, EditableBoxRepaintedLeavesItsEditShowing)
{
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
    const COLORREF back = ::GetSysColor(COLOR_WINDOW), text = ::GetSysColor(COLOR_WINDOWTEXT);
    const RECT& edit = info.rcItem;
    EXPECT_GT(shown.Count(edit, [&](COLORREF c) { return c == back; }),
              (edit.right - edit.left) * (edit.bottom - edit.top) / 3);
    EXPECT_GT(shown.Count(edit, [&](COLORREF c) { return c == text; }), 0);
    EXPECT_EQ(shown.At(0, 0), kFace);
    editable.DestroyWindow();
}

// Escape, the arrows and Tab in the box are seen through Fennix's File Types box (tests/properties/KeyboardTest.cpp).
TEST_F(FlatComboBoxTest, WithTheFocusEnterAndShortcutsGoToTheBox)
{
    ::SetFocus(m_combo.m_hWnd);
    ASSERT_EQ(::GetFocus(), m_combo.m_hWnd);
    CMessageLog keys(m_combo.m_hWnd, WM_KEYDOWN);
    ::PostMessageW(m_combo.m_hWnd, WM_SYSCHAR, L'g', 0x20000001); // the Go button's Alt+G
    ::PostMessageW(m_combo.m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(RouteMessagesUntil([&] { return keys.Count() == 1; }));
    EXPECT_TRUE(m_host.commands.empty());
    ::SetFocus(m_go); // with the focus elsewhere the same shortcut presses the button
    ::PostMessageW(m_go, WM_SYSCHAR, L'g', 0x20000001);
    EXPECT_TRUE(RouteMessagesUntil([&] { return !m_host.commands.empty(); }));
}

} // namespace
