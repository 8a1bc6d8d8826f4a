// Larkway with the keyboard alone, and at the DPI of the run (DpiTest runs at 96 and 144 DPI).
#include "tests/sendto/LarkwayFixture.h"

#include "controls/AboutPage.h"
#include "sendto/FavoriteNameDlg.h"
#include "tests/support/DpiChecks.h"
#include "tests/support/Keyboard.h"
#include "tests/support/KeyboardAudit.h"

namespace larkway {

namespace {

using namespace testing_support;
using Faults = std::vector<std::wstring>;

// What each window offers to Tab and mnemonics; then a move by keys alone: Alt+O toggles
// the mode, Enter on the mode button presses it, and in the destination it is Send.
TEST_F(LarkwayTest, EveryWindowGivesEachControlATabStopAndItsOwnMnemonicAndAMoveNeedsOnlyKeys)
{
    const std::wstring item = m_temp.MakeFile(L"from\\item.txt", "item bytes");
    const std::filesystem::path to = m_temp.MakeFolder(L"to");
    Start({item});
    EXPECT_EQ(KeyboardFaults(Dialog()), Faults{}) << "send dialog";
    EXPECT_EQ(MenuKeyboardFaults(::GetMenu(Dialog()), ID_FAVORITE_FIRST, ID_FAVORITE_LAST), Faults{}) << "menu";
    CFavoriteNameDlg name(Dialog(), L"C:\\");
    ASSERT_TRUE(name.Create(Dialog()));
    EXPECT_EQ(KeyboardFaults(name.m_hWnd), Faults{}) << "favourite name";
    name.DestroyWindow();
    CAboutPage about(IDD_ABOUT);
    ASSERT_TRUE(about.Create(nullptr));
    EXPECT_EQ(KeyboardFaults(about.m_hWnd), Faults{}) << "About";
    about.DestroyWindow();
    // The options sheet, opened by Tab and Space, looked at page by page, closed with Escape.
    RouteMessages();
    ASSERT_EQ(::GetFocus(), Item(IDC_DESTINATION));
    Keyboard keys;
    PostedSteps steps;
    std::vector<Faults> pages;
    DialogAnswerer onSheet([&](HWND sheet) {
        steps.Post([&, sheet] {
            for (int page = 0; page < 2; ++page) {
                ::SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
                pages.push_back(KeyboardFaults(sheet));
            }
            keys.Press(VK_ESCAPE);
        });
    });
    ASSERT_TRUE(keys.TabTo(Item(ID_VIEW_OPTIONS)));
    keys.Press(VK_SPACE);
    EXPECT_EQ(onSheet.Asked(), 1);
    EXPECT_EQ(pages, (std::vector<Faults>{{}, {}}));
    EXPECT_EQ(::FindWindowW(L"#32770", L"Options"), nullptr);
    keys.PressAlt(L'd');
    EXPECT_FALSE(SendEnabled()); // the start-up browse was cancelled
    keys.Type(to.wstring());
    WaitForDestinationCheck();
    ASSERT_TRUE(SendEnabled());
    keys.PressAlt(L'o');
    EXPECT_EQ(Text(IDC_COPY_MOVE), L"M&ove");
    keys.PressAlt(L'o');
    EXPECT_EQ(Text(IDC_COPY_MOVE), L"C&opy");
    keys.PressAlt(L'd');
    ASSERT_TRUE(keys.TabTo(Item(IDC_COPY_MOVE)));
    keys.Press(VK_RETURN);
    EXPECT_EQ(Text(IDC_COPY_MOVE), L"M&ove");
    EXPECT_FALSE(std::filesystem::exists(to / L"item.txt"));
    keys.PressAlt(L'd');
    keys.Press(VK_RETURN);
    EXPECT_EQ(std::filesystem::file_size(to / L"item.txt"), 10u);
    EXPECT_FALSE(std::filesystem::exists(item));
    EXPECT_EQ(m_boxes.shown.size(), 0u);
    keys.Press(VK_ESCAPE); // Exit
    EXPECT_FALSE(::IsWindowVisible(Dialog()));
}

const std::vector<std::wstring> kNone;

using LarkwayDpiTest = LarkwayTest;

// The list's header shows the items' folder: one of a usual length, whatever
// the test's own folders are called. Move has a caption and an icon of its own.
TEST_F(LarkwayDpiTest, TextsFitAndIconsAndColumnsAreSizedForTheDpi)
{
    EXPECT_EQ(IconsWithoutSizes({16, 24, 32, 48}), kNone);
    Start({L"C:\\windows\\win.ini"}, m_temp.MakeFolder(L"Destination"));
    EXPECT_EQ(::GetDpiForWindow(Dialog()), IntendedDpi());
    EXPECT_EQ(ClippedTexts(Dialog()), kNone);
    const std::vector<int> buttons{IDC_FAVORITES,  IDC_BROWSE,       IDC_ADD_FAVORITE, ID_VIEW_OPTIONS,
                                   IDC_COPY_MOVE, IDC_ABOUT_BUTTON, IDOK,             IDCANCEL};
    EXPECT_EQ(IconButtonsNotSizedFor(Dialog(), buttons, 32), kNone);
    for (int column = 0; column < 2; ++column)
        EXPECT_EQ(ListView_GetColumnWidth(Item(IDC_ITEM_LIST), column), AtWindowDpi(Dialog(), 100)) << column;
    Click(IDC_COPY_MOVE);
    ASSERT_EQ(Text(IDC_COPY_MOVE), L"M&ove");
    EXPECT_EQ(ClippedTexts(Dialog()), kNone);
    EXPECT_EQ(IconButtonsNotSizedFor(Dialog(), {IDC_COPY_MOVE}, 32), kNone);
}

} // namespace

} // namespace larkway
