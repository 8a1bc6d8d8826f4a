#include "tests/properties/FennixFixture.h"

#include "common/DropList.h"
#include "properties/res/resource.h"

#include <algorithm>
#include <cstring>

using namespace fennix;

namespace {

using namespace testing_support;

// Every window this thread shows while it lives.
class ShownWindows {
public:
    ShownWindows() { s_self = this; m_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, Record, nullptr, ::GetCurrentThreadId()); }
    ~ShownWindows() { ::UnhookWindowsHookEx(m_hook), s_self = nullptr; }
    bool Includes(HWND hwnd) const { return std::find(m_shown.begin(), m_shown.end(), hwnd) != m_shown.end(); }

private:
    static LRESULT CALLBACK Record(int code, WPARAM wp, LPARAM lp)
    {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
        const bool shown = (call->message == WM_SHOWWINDOW && call->wParam) ||
                           (call->message == WM_WINDOWPOSCHANGED &&
                            (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_SHOWWINDOW));
        if (code == HC_ACTION && shown && s_self)
            s_self->m_shown.push_back(call->hwnd);
        return ::CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline ShownWindows* s_self = nullptr;
    HHOOK m_hook = nullptr;
    std::vector<HWND> m_shown;
};

// The drop window is never shown while the program starts; the minimize
// button hides the frame for it, centred and topmost; a double click or
// closing it brings back the same pages, and a drop on the sheet or on it
// starts over with what was dropped, leaving the user's clipboard as it was.
TEST_F(FennixTest, TheDropWindowStandsInForTheFrameAndTakesDrops)
{
    const std::wstring a = m_temp.MakeFile(L"a.txt"), b = m_temp.MakeFile(L"b.txt");
    PutDropListOnClipboard({a, b});
    {
        ShownWindows shown;
        Start();
        EXPECT_TRUE(shown.Includes(Frame()->m_hWnd));
        EXPECT_FALSE(shown.Includes(Sheet()->DropWindow().m_hWnd));
    }
    CDropWindow& drop = Sheet()->DropWindow();
    EXPECT_FALSE(drop.IsWindowVisible());
    const auto minimize = [this] {
        ::SendMessageW(Sheet()->GetDlgItem(IDC_MINIMIZE_BUTTON), BM_CLICK, 0, 0);
        PumpMessages();
    };
    for (UINT restore : {static_cast<UINT>(WM_LBUTTONDBLCLK), static_cast<UINT>(WM_CLOSE)}) {
        SCOPED_TRACE(restore);
        minimize();
        EXPECT_FALSE(Frame()->IsWindowVisible());
        EXPECT_TRUE(drop.IsWindowVisible());
        EXPECT_TRUE(::GetWindowLongW(drop.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(drop.CurrentIcon(), drop.WaitingIcon());
        EXPECT_EQ(drop.ToolTip().GetText(drop.m_hWnd, reinterpret_cast<UINT_PTR>(drop.m_hWnd)), L"Double click to maximize");
        RECT rc = drop.GetWindowRect();
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        ::GetMonitorInfoW(::MonitorFromWindow(drop.m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
        EXPECT_NEAR(rc.left + rc.right, mi.rcWork.left + mi.rcWork.right, 1);
        EXPECT_NEAR(rc.top + rc.bottom, mi.rcWork.top + mi.rcWork.bottom, 1);
        drop.SendMessage(restore, 0, MAKELPARAM(5, 5));
        PumpMessages();
        EXPECT_TRUE(Frame()->IsWindowVisible() && Sheet()->IsWindowVisible());
        EXPECT_FALSE(drop.IsWindowVisible());
        EXPECT_EQ(Pages(), std::vector<UINT>{IDD_ABOUT});
        EXPECT_EQ(Items(), (std::vector<std::wstring>{a, b}));
    }

    // A file dropped on the sheet: its page, nothing pending.
    PutTextOnClipboard(L"the user's own text");
    const std::wstring c = m_temp.MakeFile(L"c.txt", "12345");
    DropOn(Sheet()->m_hWnd, {c});
    EXPECT_EQ(Items(), std::vector<std::wstring>{c});
    EXPECT_EQ(TabCount(), 2);
    EXPECT_EQ(WindowText(::GetDlgItem(Sheet()->FilePage().m_hWnd, IDC_FILE_PATH)), c);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(Sheet()->FilePage().m_hWnd, IDC_APPLY)));
    // Several items on the drop window: the sheet comes back for them.
    const std::wstring folder = m_temp.MakeFolder(L"dropped folder");
    minimize();
    drop.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDropList({a, folder})));
    PumpMessages();
    EXPECT_EQ(Items(), (std::vector<std::wstring>{a, folder}));
    EXPECT_TRUE(Frame()->IsWindowVisible());
    EXPECT_FALSE(drop.IsWindowVisible());
    EXPECT_EQ(drop.CurrentIcon(), drop.DroppedIcon()); // until it is next shown
    EXPECT_EQ(Pages(), std::vector<UINT>{IDD_ABOUT});
    EXPECT_EQ(ClipboardText(), L"the user's own text");
    minimize();
    EXPECT_EQ(drop.CurrentIcon(), drop.WaitingIcon());

    // A malformed or an empty drop is no selection.
    const std::vector<BYTE> malformed = DropFilesBlock(0xFFFFFFF0, true, WideBytes(std::wstring(L"C:\\x\0\0", 7)));
    for (bool empty : {false, true}) {
        HGLOBAL dropped = empty ? MakeDropList({}) : ::GlobalAlloc(GMEM_MOVEABLE, malformed.size());
        if (!empty)
            std::memcpy(fx::CGlobalLock<BYTE>(dropped).Get(), malformed.data(), malformed.size());
        DropOn(Sheet()->m_hWnd, {a});
        Sheet()->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(dropped));
        PumpMessages();
        EXPECT_EQ(Pages(), std::vector<UINT>{IDD_ABOUT}) << empty;
        EXPECT_TRUE(Items().empty()) << empty;
    }
}

} // namespace
