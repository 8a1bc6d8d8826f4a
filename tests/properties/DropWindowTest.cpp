#include "tests/properties/FennixFixture.h"

#include "common/DropList.h"
#include "properties/res/resource.h"

#include <algorithm>
#include <cstring>

using namespace fennix;

namespace {

using namespace testing_support;

// The frame, topmost and centred, fits the sheet with the minimize button at
// its top right. The drop window is never shown while the program starts;
// the minimize button hides the frame for it, centred and topmost; a double
// click or closing it brings back the same pages, and a drop on the sheet or
// on it starts over with what was dropped, leaving the clipboard as it was.
TEST_F(FennixTest, TheFrameAndTheDropWindowThatStandsInForItAndTakesDrops)
{
    const std::wstring a = m_temp.MakeFile(L"a.txt"), b = m_temp.MakeFile(L"b.txt");
    PutDropListOnClipboard({a, b});
    static std::vector<HWND> shown; // every window this thread shows while the program starts
    const HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, [](int code, WPARAM wp, LPARAM lp) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
        const auto* position = reinterpret_cast<const WINDOWPOS*>(call->lParam);
        if ((call->message == WM_SHOWWINDOW && call->wParam) ||
            (call->message == WM_WINDOWPOSCHANGED && (position->flags & SWP_SHOWWINDOW)))
            shown.push_back(call->hwnd);
        return ::CallNextHookEx(nullptr, code, wp, lp);
    }, nullptr, ::GetCurrentThreadId());
    Start();
    ::UnhookWindowsHookEx(hook);
    EXPECT_NE(std::find(shown.begin(), shown.end(), Frame()->m_hWnd), shown.end());
    EXPECT_EQ(std::find(shown.begin(), shown.end(), Sheet()->DropWindow().m_hWnd), shown.end());
    const auto expectCentred = [](HWND hwnd) {
        RECT rc{};
        ::GetWindowRect(hwnd, &rc);
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        ::GetMonitorInfoW(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &mi);
        EXPECT_NEAR(rc.left + rc.right, mi.rcWork.left + mi.rcWork.right, 1);
        EXPECT_NEAR(rc.top + rc.bottom, mi.rcWork.top + mi.rcWork.bottom, 1);
    };
    HWND frame = Frame()->m_hWnd;
    EXPECT_EQ(WindowText(frame), L"Property Sheet");
    EXPECT_TRUE(::GetWindowLongW(frame, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(::GetWindowLongW(frame, GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_POPUP | WS_CAPTION | WS_SYSMENU);
    expectCentred(frame);
    RECT client{}, sheet = Sheet()->GetWindowRect(), button{};
    ::GetClientRect(frame, &client);
    ::MapWindowPoints(frame, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_TRUE(::EqualRect(&client, &sheet));
    HWND minimize = Sheet()->GetDlgItem(IDC_MINIMIZE_BUTTON); // its size for the DPI is the DPI test's
    ::GetWindowRect(minimize, &button);
    EXPECT_EQ(button.top, sheet.top);
    EXPECT_LE(button.right, sheet.right);
    EXPECT_GE(button.right, sheet.right - 8);
    EXPECT_EQ(Sheet()->ToolTip().GetText(Sheet()->m_hWnd, reinterpret_cast<UINT_PTR>(minimize)),
              L"Minimize to Drop Window");
    // The About page shows the links' addresses.
    auto* about = static_cast<CAboutPage*>(Sheet()->GetPage(0));
    EXPECT_EQ(WindowText(::GetDlgItem(about->m_hWnd, IDC_ABOUT_MAIL)), L"&Mail me");
    EXPECT_EQ(about->MailLink().GetURL(), CAboutPage::kMailAddress);
    EXPECT_EQ(about->WebLink().GetURL(), CAboutPage::kWebAddress);
    MoveMouseTo(about->MailLink().m_hWnd, POINT{3, 3});
    EXPECT_EQ(about->MailLink().ToolTip().GetText(about->MailLink().m_hWnd, 1), CAboutPage::kMailAddress);

    CDropWindow& drop = Sheet()->DropWindow();
    EXPECT_FALSE(drop.IsWindowVisible());
    for (UINT restore : {static_cast<UINT>(WM_LBUTTONDBLCLK), static_cast<UINT>(WM_CLOSE)}) {
        SCOPED_TRACE(restore);
        Click(minimize);
        EXPECT_FALSE(Frame()->IsWindowVisible());
        EXPECT_TRUE(drop.IsWindowVisible());
        EXPECT_TRUE(::GetWindowLongW(drop.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(drop.CurrentIcon(), drop.WaitingIcon());
        EXPECT_EQ(drop.ToolTip().GetText(drop.m_hWnd, reinterpret_cast<UINT_PTR>(drop.m_hWnd)), L"Double click to maximize");
        expectCentred(drop.m_hWnd);
        drop.SendMessage(restore, 0, MAKELPARAM(5, 5));
        PumpMessages();
        EXPECT_TRUE(Frame()->IsWindowVisible() && Sheet()->IsWindowVisible());
        EXPECT_FALSE(drop.IsWindowVisible());
        EXPECT_EQ(Pages(), std::vector<UINT>{IDD_ABOUT});
        EXPECT_EQ(Items(), (std::vector<std::wstring>{a, b}));
    }

    // Several items on the drop window: the sheet comes back for them (a drop on
    // the sheet is the folder page's test).
    PutTextOnClipboard(L"the user's own text");
    const std::wstring folder = m_temp.MakeFolder(L"dropped folder");
    Click(minimize);
    drop.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDropList({a, folder})));
    PumpMessages();
    EXPECT_EQ(Items(), (std::vector<std::wstring>{a, folder}));
    EXPECT_TRUE(Frame()->IsWindowVisible());
    EXPECT_FALSE(drop.IsWindowVisible());
    EXPECT_EQ(drop.CurrentIcon(), drop.DroppedIcon()); // until it is next shown
    EXPECT_EQ(Pages(), std::vector<UINT>{IDD_ABOUT});
    EXPECT_EQ(ClipboardText(), L"the user's own text");
    Click(minimize);
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
