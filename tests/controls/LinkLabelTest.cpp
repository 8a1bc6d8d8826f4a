#include "controls/LinkLabel.h"
#include "controls/LinkOpener.h"
#include "framework/Handle.h"
#include "tests/support/Keyboard.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>


namespace {

TEST(LinkOpener, CommandsAndErrorTexts)
{
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
        {1, L"Unknown Error (1) occurred."},
        {2, L"The specified file was not found."},
        {0, L"The operating system is out\nof memory or resources."},
        {31, L"There is no application associated\nwith the given filename extension."},
        {-7, L"Unknown Error (-7) occurred."},
    };
    for (const auto& [code, text] : errors)
        EXPECT_EQ(link::ErrorText(code), head + text) << code;
}

// A window that answers Tab and mnemonics as a dialog does.
class CMnemonicHost : public fx::CFrameWnd {
public:
    bool PreTranslateMessage(MSG* msg) override { return ::IsDialogMessageW(m_hWnd, msg) != FALSE; }
};

class LinkLabelTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.Create(L"host", WS_POPUP | WS_VISIBLE, RECT{0, 0, 300, 100})); }
    void TearDown() override
    {
        m_host.DestroyWindow();
        testing_support::PumpMessages();
    }
    HWND MakeStatic(const wchar_t* text)
    {
        return ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 200, 20, m_host.m_hWnd,
                                 reinterpret_cast<HMENU>(1010), nullptr, nullptr);
    }
    COLORREF TextColour()
    {
        fx::CMemoryDC dc(::CreateCompatibleDC(nullptr));
        LRESULT brush = m_host.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                                           reinterpret_cast<LPARAM>(m_link.m_hWnd));
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)));
        EXPECT_EQ(::GetBkMode(dc.Get()), TRANSPARENT);
        return ::GetTextColor(dc.Get());
    }

    void Hover() { testing_support::MoveMouseTo(m_link.m_hWnd, POINT{3, 3}); }
    bool LooksLit() { return TextColour() == ::GetSysColor(COLOR_HIGHLIGHT); }
    bool LooksUnlit() { return TextColour() == RGB(0, 0, 238); }

    CMnemonicHost m_host;
    CLinkLabel m_link;
};

TEST_F(LinkLabelTest, ShowsItsAddressAsTooltipOverAllOfItAndAnEmptyLabelShowsTheAddress)
{
    ASSERT_TRUE(m_link.SubclassWindow(MakeStatic(L"Mail me"))); // its text is the address until one is set
    EXPECT_EQ(m_link.GetURL(), L"Mail me");
    EXPECT_EQ(m_link.ToolTip().GetText(m_link.m_hWnd, 1), L"Mail me");
    m_link.SetURL(L"mailto:someone@corvale.example");
    EXPECT_EQ(m_link.ToolTip().GetText(m_link.m_hWnd, 1), L"mailto:someone@corvale.example");
    EXPECT_EQ(testing_support::WindowText(m_link.m_hWnd), L"Mail me");
    // It grows and shrinks with the DPI; the address shows over all of it.
    ::SetWindowPos(m_link.m_hWnd, nullptr, 0, 0, 310, 45, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = m_link.m_hWnd;
    tool.uId = 1;
    ASSERT_TRUE(m_link.ToolTip().SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)));
    const RECT label{0, 0, 310, 45};
    EXPECT_TRUE(::EqualRect(&tool.rect, &label));
    EXPECT_EQ(m_link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(m_link.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
    // Attached again to a new static, empty, it gets a new tooltip and shows the address.
    HWND firstTip = m_link.ToolTip().m_hWnd;
    ::DestroyWindow(m_link.m_hWnd);
    EXPECT_FALSE(::IsWindow(firstTip));
    ASSERT_TRUE(m_link.SubclassWindow(MakeStatic(L"")));
    ASSERT_NE(m_link.ToolTip().m_hWnd, nullptr);
    EXPECT_EQ(m_link.ToolTip().GetText(m_link.m_hWnd, 1), L"mailto:someone@corvale.example");
    EXPECT_EQ(testing_support::WindowText(m_link.m_hWnd), L"mailto:someone@corvale.example");
}

// A dialog gives its controls a font anew when the DPI changes.
TEST_F(LinkLabelTest, ItsOwnFontAndAFontGivenLaterAreShownUnderlinedAndTheGivenOneStaysTheGivers)
{
    ASSERT_TRUE(m_link.SubclassWindow(MakeStatic(L"link")));
    const auto shown = [this] {
        LOGFONTW font{};
        EXPECT_TRUE(::GetObjectW(reinterpret_cast<HFONT>(m_link.SendMessage(WM_GETFONT)), sizeof(font), &font));
        return font;
    };
    EXPECT_TRUE(shown().lfUnderline);
    LOGFONTW given{};
    given.lfHeight = -27;
    wcscpy_s(given.lfFaceName, L"Arial");
    const fx::CFontHandle font(::CreateFontIndirectW(&given));
    m_link.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    EXPECT_TRUE(shown().lfUnderline);
    EXPECT_EQ(shown().lfHeight, -27);
    EXPECT_STREQ(shown().lfFaceName, L"Arial");
    LOGFONTW after{}; // the given font is not the label's to delete, nor to change
    ASSERT_TRUE(::GetObjectW(font.Get(), sizeof(after), &after));
    EXPECT_FALSE(after.lfUnderline);
}

// When it repaints and frees the pointer is the hover tracker's, seen through the icon button's test.
TEST_F(LinkLabelTest, ColourFollowsTheMouse)
{
    ASSERT_TRUE(m_link.SubclassWindow(MakeStatic(L"link")));
    EXPECT_TRUE(LooksUnlit());
    Hover();
    EXPECT_TRUE(LooksLit());
    testing_support::MouseLeaves(m_link.m_hWnd);
    EXPECT_TRUE(LooksUnlit());
}

// Counts the clicks the link tells its parent of, and keeps them from opening anything.
LRESULT CALLBACK CountClicks(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR clicks)
{
    if (msg != WM_COMMAND || LOWORD(wp) != 1010 || HIWORD(wp) != STN_CLICKED)
        return ::DefSubclassProc(hwnd, msg, wp, lp);
    ++*reinterpret_cast<int*>(clicks);
    return 0;
}

TEST_F(LinkLabelTest, AltAndTheLinksMnemonicClickIt)
{
    ASSERT_TRUE(m_link.SubclassWindow(MakeStatic(L"&Mail me")));
    HWND button = ::CreateWindowExW(0, L"BUTTON", L"button", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 40, 60, 20,
                                    m_host.m_hWnd, nullptr, nullptr, nullptr);
    int clicks = 0;
    ::SetWindowSubclass(m_host.m_hWnd, CountClicks, 1, reinterpret_cast<DWORD_PTR>(&clicks));
    ::SetFocus(button);
    testing_support::Keyboard().PressAlt(L'm');
    EXPECT_EQ(clicks, 1);
    ::RemoveWindowSubclass(m_host.m_hWnd, CountClicks, 1);
}

} // namespace
