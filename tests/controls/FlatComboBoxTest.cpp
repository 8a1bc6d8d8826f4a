#include "controls/FlatComboBox.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const int kComboId = 1001, kGoId = 1002;

// A top-level window that navigates its controls with the keyboard as a
// dialog does, and records the commands its children send it.
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
    const bool passed = testing_support::PumpUntil([] { return elapsed; }, 3000);
    ::KillTimer(nullptr, timer);
    return passed;
}

// A flat combo box attached to a drop-down list on a host window, set up as
// a dialog may (with edges of its own outside the box's), with a button
// after it.
class FlatComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_face != m_shadow && m_face != m_light && m_shadow != m_light);
        PointerAway();
        ASSERT_TRUE(m_host.Create(L"flat combo host", WS_POPUP | WS_VISIBLE, RECT{100, 100, 400, 300}));
        HWND combo = ::CreateWindowExW(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, WC_COMBOBOXW, L"",
                                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 10, 10,
                                       160, 150, m_host.m_hWnd, reinterpret_cast<HMENU>(kComboId), nullptr, nullptr);
        m_go = ::CreateWindowExW(0, L"BUTTON", L"&Go", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 180, 10,
                                 80, 24, m_host.m_hWnd, reinterpret_cast<HMENU>(kGoId), nullptr, nullptr);
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
        ::SendMessageW(m_combo.m_hWnd, CB_SHOWDROPDOWN, FALSE, 0);
        ::ReleaseCapture();
        m_host.DestroyWindow();
        testing_support::PumpMessages();
    }

    static void SendButton(DWORD flags)
    {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        ASSERT_EQ(::SendInput(1, &input, sizeof(input)), 1u);
    }
    // No message tells the box that the pointer has gone: its poll finds out.
    // Wine's X driver reports each warp of the pointer once more, late, so
    // the pointer may come back for a moment to where it was put before:
    // the cases wait for the look to settle, not for its first showing.
    static void PointerAway() { ::SetCursorPos(900, 900); }
    void PointerOnBox() const { PointerAt(POINT{m_combo.GetClientRect().right / 3, 5}); }
    void PointerAt(POINT client) const { testing_support::MoveMouseTo(m_combo.m_hWnd, client); }

    // The look the screen shows on the box's frame, told by pixels that only
    // that look gives them.
    std::string ShownLook() const
    {
        const CScreenPixels shown(m_combo.m_hWnd);
        const int w = shown.Width(), h = shown.Height();
        const int arrow = ::GetSystemMetrics(SM_CXHTHUMB);
        const COLORREF corner = shown.At(0, 0), farCorner = shown.At(w - 1, h - 1);
        const bool outerFlat = corner == m_face && farCorner == m_face;
        const bool outerRaised = corner == m_shadow && farCorner == m_light;
        if (outerFlat && shown.At(1, 1) == m_light && shown.At(w - 2, h - 2) == m_light &&
            shown.At(w - 2 - arrow, 3) == m_face && shown.At(w - 4, h - 3) == m_face)
            return "disabled";
        if (shown.At(1, 1) != m_face || shown.At(w - 2, h - 2) != m_face)
            return "other";
        if (outerFlat && shown.At(w - 2 - arrow, 3) == m_light && shown.At(w - 1 - arrow, 3) == m_light &&
            shown.At(w - 4, h - 3) == m_light)
            return "flat";
        if (outerRaised && shown.At(w - 1 - arrow, 3) == m_light && shown.At(w - 4, h - 3) == m_shadow &&
            shown.At(w - arrow, 3) == m_face)
            return "hot";
        if (outerRaised && shown.At(w - arrow, 3) == m_shadow && shown.At(w - 3, h - 3) == m_light &&
            shown.At(w - 4, h - 3) == m_face)
            return "pressed";
        return "other";
    }
    bool Shows(const char* look) const { return ShownLook() == look; }
    ::testing::AssertionResult ComesToShow(const char* look) const
    {
        if (testing_support::PumpUntil([&] { return Shows(look); }, 3000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "shows " << ShownLook() << ", not " << look;
    }

    const COLORREF m_face = ::GetSysColor(COLOR_BTNFACE), m_shadow = ::GetSysColor(COLOR_BTNSHADOW),
                   m_light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    CDialogLikeHost m_host;
    CFlatComboBox m_combo;
    HWND m_go = nullptr;
};

TEST_F(FlatComboBoxTest, IdleBoxIsFlatWithNoEdgeOutsideItRaisedUnderThePointerAndFramedWhenDisabled)
{
    EXPECT_TRUE(ComesToShow("flat"));
    const RECT client = m_combo.GetClientRect();
    const RECT window = m_combo.GetWindowRect();
    EXPECT_EQ(client.right, window.right - window.left);
    EXPECT_EQ(client.bottom, window.bottom - window.top);
    PointerOnBox();
    EXPECT_TRUE(ComesToShow("hot"));
    PointerAway();
    EXPECT_TRUE(ComesToShow("flat"));
    for (const bool enabled : {false, true}) {
        m_combo.EnableWindow(enabled);
        m_combo.RedrawNow();
        EXPECT_TRUE(ComesToShow(enabled ? "flat" : "disabled"));
    }
}

TEST_F(FlatComboBoxTest, PollDrawsNothingWhileTheLookStaysAndStopsOnceThePointerHasLeft)
{
    CMessageLog ticks(m_combo.m_hWnd, WM_TIMER);
    PointerOnBox();
    ASSERT_TRUE(ComesToShow("hot"));
    const COLORREF marker = RGB(255, 0, 255);
    {
        fx::CClientDC dc(m_combo.m_hWnd);
        ::SetPixel(dc.Get(), 0, 0, marker);
    }
    // Polling on while the pointer stays, drawing nothing.
    ASSERT_TRUE(testing_support::PumpUntil([&] { return ticks.Count() >= 3; }, 3000));
    EXPECT_EQ(CScreenPixels(m_combo.m_hWnd).At(0, 0), marker);
    // Once the pointer has left, the box settles flat and the poll stops:
    // twenty poll periods pass without a tick.
    PointerAway();
    const auto settled = [&] {
        if (!ComesToShow("flat"))
            return false;
        const int before = ticks.Count();
        return LetPass(200) && ticks.Count() == before && Shows("flat");
    };
    bool stopped = false;
    for (int attempt = 0; attempt < 15 && !stopped; ++attempt)
        stopped = settled();
    EXPECT_TRUE(stopped) << "the poll goes on: shows " << ShownLook();
}

TEST_F(FlatComboBoxTest, FocusRaisesTheBoxUntilItGoesElsewhere)
{
    ASSERT_TRUE(ComesToShow("flat"));
    ::SetFocus(m_combo.m_hWnd);
    ASSERT_EQ(::GetFocus(), m_combo.m_hWnd);
    EXPECT_TRUE(ComesToShow("hot"));
    // The pointer passing over and away leaves a focused box raised.
    PointerOnBox();
    ASSERT_TRUE(ComesToShow("hot"));
    PointerAway();
    ASSERT_TRUE(LetPass(200));
    EXPECT_TRUE(Shows("hot"));
    // And so does a repaint.
    m_combo.RedrawNow();
    EXPECT_TRUE(Shows("hot"));
    ::SetFocus(m_go);
    EXPECT_TRUE(ComesToShow("flat"));
    m_combo.RedrawNow();
    EXPECT_TRUE(Shows("flat"));
}

TEST_F(FlatComboBoxTest, ArrowLooksPressedWhenThePollFindsTheButtonHeld)
{
    PointerAt(POINT{m_combo.GetClientRect().right - 5, 5});
    ASSERT_TRUE(ComesToShow("hot"));
    // The left button pressed on the arrow, as the user does it.
    SendButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(ComesToShow("pressed"));
    SendButton(MOUSEEVENTF_LEFTUP);
    m_combo.SendMessage(CB_SHOWDROPDOWN, FALSE);
    // Released over the box, which has the focus from the click.
    EXPECT_TRUE(ComesToShow("hot"));
}

TEST_F(FlatComboBoxTest, EditableBoxRepaintedLeavesItsEditShowing)
{
    CFlatComboBox editable;
    ASSERT_TRUE(editable.SubclassWindow(::CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN,
                                                          10, 60, 160, 150, m_host.m_hWnd, nullptr, nullptr,
                                                          nullptr)));
    editable.SetWindowText(L"WWWWWWWWWWWW");
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetComboBoxInfo(editable.m_hWnd, &info));
    ::RedrawWindow(editable.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // The box alone, after its edit has painted.
    ::RedrawWindow(editable.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const CScreenPixels shown(editable.m_hWnd);
    const COLORREF back = ::GetSysColor(COLOR_WINDOW), text = ::GetSysColor(COLOR_WINDOWTEXT);
    const RECT& edit = info.rcItem;
    const int area = (edit.right - edit.left) * (edit.bottom - edit.top);
    EXPECT_GT(shown.Count(edit, [&](COLORREF c) { return c == back; }), area / 3);
    EXPECT_GT(shown.Count(edit, [&](COLORREF c) { return c == text; }), 0);
    EXPECT_EQ(shown.At(0, 0), m_face);
    editable.DestroyWindow();
}

TEST_F(FlatComboBoxTest, WithTheFocusEnterEscapeAndShortcutsGoToTheBoxButTabsLeaveIt)
{
    ::SetFocus(m_combo.m_hWnd);
    ASSERT_EQ(::GetFocus(), m_combo.m_hWnd);
    {
        CMessageLog keys(m_combo.m_hWnd, WM_KEYDOWN);
        for (WPARAM key : {static_cast<WPARAM>(VK_RETURN), static_cast<WPARAM>(VK_ESCAPE)}) {
            ::PostMessageW(m_combo.m_hWnd, WM_KEYDOWN, key, 1);
            ::PostMessageW(m_combo.m_hWnd, WM_KEYUP, key, 0xC0000001);
        }
        ::PostMessageW(m_combo.m_hWnd, WM_SYSCHAR, L'g', 0x20000001); // the Go button's Alt+G
        // A key after it marks the point where the shortcut has been dealt with.
        ::PostMessageW(m_combo.m_hWnd, WM_KEYDOWN, VK_DOWN, 1);
        EXPECT_TRUE(testing_support::RouteMessagesUntil([&] { return keys.Count() == 3; }));
        EXPECT_EQ(keys.seen, (std::vector<WPARAM>{VK_RETURN, VK_ESCAPE, VK_DOWN}));
        EXPECT_TRUE(m_host.commands.empty());
        EXPECT_EQ(::GetFocus(), m_combo.m_hWnd);
    }
    // With the focus elsewhere the same shortcut presses the button.
    ::SetFocus(m_go);
    ::PostMessageW(m_go, WM_SYSCHAR, L'g', 0x20000001);
    EXPECT_TRUE(testing_support::RouteMessagesUntil([&] { return !m_host.commands.empty(); }));

    for (const bool shift : {false, true}) {
        SCOPED_TRACE(shift ? "Shift+Tab" : "Tab");
        ::SetFocus(m_combo.m_hWnd);
        ASSERT_EQ(::GetFocus(), m_combo.m_hWnd);
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        ::PostMessageW(m_combo.m_hWnd, WM_KEYDOWN, VK_TAB, 1);
        const bool left = testing_support::RouteMessagesUntil([&] { return ::GetFocus() == m_go; });
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        EXPECT_TRUE(left);
        EXPECT_TRUE(ComesToShow("flat"));
    }
}

} // namespace
