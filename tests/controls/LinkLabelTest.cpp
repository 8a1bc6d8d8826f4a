#include "controls/LinkLabel.h"
#include "controls/LinkOpener.h"
#include "framework/Handle.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/support/Keyboard.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// Counts the clicks the link tells its parent of, and keeps them from opening anything.
LRESULT CALLBACK CountClicks(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR clicks)
{
    if (msg != WM_COMMAND || LOWORD(wp) != 1010 || HIWORD(wp) != STN_CLICKED)
        return ::DefSubclassProc(hwnd, msg, wp, lp);
    ++*reinterpret_cast<int*>(clicks);
    return 0;
}

// When it repaints and frees the pointer is the hover tracker's, seen through the icon button's test.
TEST(LinkLabel, UnderlinedLitUnderThePointerItsAddressOverAllOfItClickedByItsMnemonicAndOpenedByTheBrowser)
{
    CDialogLikeHost host;
    ASSERT_TRUE(host.Create(L"host", WS_POPUP | WS_VISIBLE, RECT{0, 0, 300, 100}));
    const auto makeStatic = [&](const wchar_t* text) {
        return ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 200, 20, host.m_hWnd,
                                 reinterpret_cast<HMENU>(1010), nullptr, nullptr);
    };
    CLinkLabel link;
    const auto textColour = [&] { // on no background of its own
        fx::CMemoryDC dc(::CreateCompatibleDC(nullptr));
        EXPECT_EQ(host.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                                   reinterpret_cast<LPARAM>(link.m_hWnd)),
                  reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)));
        EXPECT_EQ(::GetBkMode(dc.Get()), TRANSPARENT);
        return ::GetTextColor(dc.Get());
    };
    const auto shownFont = [&] {
        LOGFONTW font{};
        EXPECT_TRUE(::GetObjectW(reinterpret_cast<HFONT>(link.SendMessage(WM_GETFONT)), sizeof(font), &font));
        return font;
    };
    ASSERT_TRUE(link.SubclassWindow(makeStatic(L"&Mail me"))); // its text is the address until one is set
    EXPECT_EQ(textColour(), RGB(0, 0, 238));
    testing_support::MoveMouseTo(link.m_hWnd, POINT{3, 3}); // lit, and its tooltip made
    EXPECT_EQ(textColour(), ::GetSysColor(COLOR_HIGHLIGHT));
    testing_support::MouseLeaves(link.m_hWnd);
    EXPECT_EQ(textColour(), RGB(0, 0, 238));
    EXPECT_EQ(link.ToolTip().GetText(link.m_hWnd, 1), L"&Mail me");
    link.SetURL(L"mailto:someone@corvale.example");
    EXPECT_EQ(link.ToolTip().GetText(link.m_hWnd, 1), L"mailto:someone@corvale.example");
    EXPECT_EQ(testing_support::WindowText(link.m_hWnd), L"&Mail me");
    // It grows and shrinks with the DPI; the address shows over all of it.
    ::SetWindowPos(link.m_hWnd, nullptr, 0, 0, 310, 45, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    TTTOOLINFOW tool{sizeof(tool), 0, link.m_hWnd, 1, {}, nullptr, nullptr, 0, nullptr};
    ASSERT_TRUE(link.ToolTip().SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_TRUE(tool.rect.left == 0 && tool.rect.top == 0 && tool.rect.right == 310 && tool.rect.bottom == 45);
    link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));

    // Its own font and one given later (a dialog does at a change of DPI) are shown underlined.
    EXPECT_TRUE(shownFont().lfUnderline);
    const fx::CFontHandle font(::CreateFontW(-27, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                                             L"Arial"));
    link.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    EXPECT_TRUE(shownFont().lfUnderline && shownFont().lfHeight == -27);
    LOGFONTW after{}; // the given font is not the label's to delete, nor to change
    ASSERT_TRUE(::GetObjectW(font.Get(), sizeof(after), &after));
    EXPECT_FALSE(after.lfUnderline);

    HWND button = ::CreateWindowExW(0, L"BUTTON", L"button", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 40, 60, 20,
                                    host.m_hWnd, nullptr, nullptr, nullptr);
    int clicks = 0;
    ::SetWindowSubclass(host.m_hWnd, CountClicks, 1, reinterpret_cast<DWORD_PTR>(&clicks));
    ::SetFocus(button);
    testing_support::Keyboard().PressAlt(L'm');
    EXPECT_EQ(clicks, 1);

    SCOPED_TRACE("attached again to a new static, empty: a tooltip of its own, and the address shown");
    HWND firstTip = link.ToolTip().m_hWnd;
    ::DestroyWindow(link.m_hWnd);
    EXPECT_FALSE(::IsWindow(firstTip));
    ASSERT_TRUE(link.SubclassWindow(makeStatic(L"")));
    testing_support::MoveMouseTo(link.m_hWnd, POINT{3, 3});
    EXPECT_EQ(link.ToolTip().GetText(link.m_hWnd, 1), L"mailto:someone@corvale.example");
    EXPECT_EQ(testing_support::WindowText(link.m_hWnd), L"mailto:someone@corvale.example");
    host.DestroyWindow();
    testing_support::PumpMessages();

    SCOPED_TRACE("the command that opens an address, and the texts of the errors in opening it");
    const std::pair<const wchar_t*, const wchar_t*> commands[] = {
        // Cut at the quoted placeholder, at a bare one, or the address appended.
        {L"C:\\browser.exe \"%1\"", L"C:\\browser.exe  https://x.example/"},
        {L"\"C:\\b.exe\" -new \"%1\" -tail %1", L"\"C:\\b.exe\" -new  https://x.example/"},
        {L"C:\\browser.exe -url %1 -x", L"C:\\browser.exe -url  https://x.example/"},
        {L"C:\\browser.exe -nohome", L"C:\\browser.exe -nohome https://x.example/"},
    };
    for (const auto& [command, built] : commands)
        EXPECT_EQ(link::BuildCommand(command, L"https://x.example/"), built);
    const std::wstring head = L"Unable to open hyperlink:\n\n";
    const std::pair<int, const wchar_t*> errors[] = {
        {26, L"A sharing violation occurred. "},
        {2, L"The specified file was not found."},
        {0, L"The operating system is out\nof memory or resources."},
        {31, L"There is no application associated\nwith the given filename extension."},
        {-7, L"Unknown Error (-7) occurred."},
    };
    for (const auto& [code, text] : errors)
        EXPECT_EQ(link::ErrorText(code), head + text) << code;
}

} // namespace
