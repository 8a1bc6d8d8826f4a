#include "tests/properties/FennixFixture.h"

#include "common/DropList.h"
#include "outside/pallavol/DiskInfo.h"
#include "properties/Messages.h"
#include "properties/res/resource.h"

#include <algorithm>
#include <cstring>

using namespace fennix;

namespace {

using namespace testing_support;

class DropWindowTest : public FennixTest {
protected:
    void Minimize()
    {
        ::SendMessageW(Sheet()->GetDlgItem(IDC_MINIMIZE_BUTTON), BM_CLICK, 0, 0);
        PumpMessages();
    }
    CDropWindow& Drop() { return Sheet()->DropWindow(); }
};

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

TEST_F(DropWindowTest, IsNeverShownWhileTheProgramStartsAndHiddenUntilTheMinimizeButtonIsClicked)
{
    {
        ShownWindows shown;
        Start();
        EXPECT_TRUE(shown.Includes(Frame()->m_hWnd));
        EXPECT_FALSE(shown.Includes(Drop().m_hWnd));
    }
    EXPECT_FALSE(Drop().IsWindowVisible());
    Minimize();
    EXPECT_FALSE(Frame()->IsWindowVisible());
    EXPECT_TRUE(Drop().IsWindowVisible());
    EXPECT_TRUE(::GetWindowLongW(Drop().m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(Drop().CurrentIcon(), Drop().WaitingIcon());
    EXPECT_EQ(Drop().ToolTip().GetText(Drop().m_hWnd, reinterpret_cast<UINT_PTR>(Drop().m_hWnd)),
              L"Double click to maximize");

    // Centred on the screen, the frame being hidden.
    RECT rc = Drop().GetWindowRect();
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromWindow(Drop().m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    EXPECT_NEAR(rc.left + rc.right, mi.rcWork.left + mi.rcWork.right, 1);
    EXPECT_NEAR(rc.top + rc.bottom, mi.rcWork.top + mi.rcWork.bottom, 1);
}

TEST_F(DropWindowTest, DoubleClickOrCloseRestoresTheSamePages)
{
    std::wstring a = m_temp.MakeFile(L"a.txt"), b = m_temp.MakeFile(L"b.txt");
    PutDropListOnClipboard({a, b});
    Start();
    const auto pagesBefore = Pages();
    for (UINT restore : {static_cast<UINT>(WM_LBUTTONDBLCLK), static_cast<UINT>(WM_CLOSE)}) {
        Minimize();
        Drop().SendMessage(restore, 0, MAKELPARAM(5, 5));
        PumpMessages();
        EXPECT_TRUE(Frame()->IsWindowVisible());
        EXPECT_TRUE(Sheet()->IsWindowVisible());
        EXPECT_FALSE(Drop().IsWindowVisible());
        EXPECT_EQ(Pages(), pagesBefore);
        EXPECT_EQ(Items(), (std::vector<std::wstring>{a, b}));
    }
}

// A drop on the sheet or on the drop window starts over with what was
// dropped; the clipboard is the user's and stays as it was.
TEST_F(DropWindowTest, ADropStartsOverLeavingTheClipboardAsItWas)
{
    std::wstring a = m_temp.MakeFile(L"a.txt");
    PutDropListOnClipboard({a});
    Start();
    EXPECT_TRUE(ClipboardIsEmpty());

    // A file over a file: the file page shows the new one, nothing pending.
    PutTextOnClipboard(L"the user's own text");
    std::wstring c = m_temp.MakeFile(L"c.txt", "12345");
    DropOn(Sheet()->m_hWnd, {c});
    EXPECT_EQ(Items(), std::vector<std::wstring>{c});
    EXPECT_EQ(Pages(), (std::vector<UINT>{IDD_ABOUT, IDD_FILE_PAGE}));
    EXPECT_EQ(TabCount(), 2);
    HWND page = Sheet()->FilePage().m_hWnd;
    EXPECT_EQ(WindowText(::GetDlgItem(page, IDC_FILE_PATH)), c);
    EXPECT_EQ(WindowText(::GetDlgItem(page, IDC_FILE_SIZE)), CDiskInfo().GetUnitSize(5) + L"(5 bytes)");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page, IDC_APPLY)));
    EXPECT_TRUE(Frame()->IsWindowVisible());

    // Several items on the drop window: the sheet comes back for them.
    std::wstring folder = m_temp.MakeFolder(L"dropped folder");
    Minimize();
    Drop().SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDropList({a, folder})));
    PumpMessages();
    EXPECT_EQ(Items(), (std::vector<std::wstring>{a, folder}));
    EXPECT_TRUE(Frame()->IsWindowVisible());
    EXPECT_FALSE(Drop().IsWindowVisible());
    EXPECT_EQ(Drop().CurrentIcon(), Drop().DroppedIcon()); // until it is next shown
    EXPECT_EQ(Pages(), std::vector<UINT>{IDD_ABOUT});
    EXPECT_EQ(ClipboardText(), L"the user's own text");

    Minimize();
    EXPECT_EQ(Drop().CurrentIcon(), Drop().WaitingIcon());
}

TEST_F(DropWindowTest, AMalformedOrEmptyDropIsNoSelection)
{
    std::wstring a = m_temp.MakeFile(L"a.txt");
    const std::vector<BYTE> malformed = DropFilesBlock(0xFFFFFFF0, true, WideBytes(std::wstring(L"C:\\x\0\0", 7)));
    for (bool empty : {false, true}) {
        SCOPED_TRACE(empty ? "empty" : "malformed");
        PutDropListOnClipboard({a});
        Start();
        HGLOBAL drop = empty ? MakeDropList({}) : ::GlobalAlloc(GMEM_MOVEABLE, malformed.size());
        if (!empty)
            std::memcpy(fx::CGlobalLock<BYTE>(drop).Get(), malformed.data(), malformed.size());
        Sheet()->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(drop));
        PumpMessages();
        EXPECT_EQ(Pages(), std::vector<UINT>{IDD_ABOUT});
        EXPECT_TRUE(Items().empty());
        Stop();
    }
}

} // namespace
