// Larkway with the keyboard alone: what its windows offer to Tab and to
// mnemonics, and a whole send done with keys that go through the program's
// own message routing.
#include "tests/sendto/LarkwayFixture.h"

#include "controls/AboutPage.h"
#include "sendto/FavoriteNameDlg.h"
#include "tests/support/Keyboard.h"
#include "tests/support/KeyboardAudit.h"


namespace larkway {

namespace {

using namespace testing_support;
using Faults = std::vector<std::wstring>;

class LarkwayKeyboardTest : public LarkwayTest {
protected:
    Keyboard m_keys;
};

TEST_F(LarkwayKeyboardTest, EveryWindowGivesEachControlATabStopAndItsOwnMnemonic)
{
    Start({m_temp.MakeFile(L"a.txt")});
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

    // The options sheet, opened from its button by Tab and Space, looked at
    // page by page from inside its own loop, and closed with Escape.
    RouteMessages();
    PostedSteps steps;
    std::vector<Faults> pages;
    DialogAnswerer onSheet([&](HWND sheet) {
        steps.Post([&, sheet] {
            for (int page = 0; page < 2; ++page) {
                ::SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page), 0);
                pages.push_back(KeyboardFaults(sheet));
            }
            m_keys.Press(VK_ESCAPE);
        });
    });
    ASSERT_TRUE(m_keys.TabTo(Item(ID_VIEW_OPTIONS)));
    m_keys.Press(VK_SPACE);
    EXPECT_EQ(onSheet.Asked(), 1);
    EXPECT_EQ(pages, (std::vector<Faults>{{}, {}}));
    EXPECT_EQ(::FindWindowW(L"#32770", L"Options"), nullptr);
}

TEST_F(LarkwayKeyboardTest, ItemsAreCopiedToATypedDestinationByKeysAlone)
{
    const std::wstring alpha = m_temp.MakeFile(L"from\\alpha.txt", "alpha bytes");
    const std::filesystem::path to = m_temp.MakeFolder(L"to");
    Start({alpha});
    RouteMessages();
    ASSERT_EQ(::GetFocus(), Item(IDC_DESTINATION));
    EXPECT_FALSE(SendEnabled());

    m_keys.Type(to.wstring());
    WaitForDestinationCheck();
    EXPECT_TRUE(SendEnabled());
    // Alt+O toggles the mode whichever it shows: to Move, and back to Copy.
    m_keys.PressAlt(L'o');
    EXPECT_EQ(Text(IDC_COPY_MOVE), L"M&ove");
    m_keys.PressAlt(L'o');
    EXPECT_EQ(Text(IDC_COPY_MOVE), L"C&opy");
    // Back in the destination (Alt+D), Enter is Send.
    m_keys.PressAlt(L'd');
    ASSERT_EQ(::GetFocus(), Item(IDC_DESTINATION));
    m_keys.Press(VK_RETURN);

    EXPECT_EQ(std::filesystem::file_size(to / L"alpha.txt"), 11u);
    EXPECT_TRUE(std::filesystem::exists(alpha)); // copied, not moved
    EXPECT_EQ(m_boxes.shown.size(), 0u);

    m_keys.Press(VK_ESCAPE); // Exit
    EXPECT_FALSE(::IsWindowVisible(Dialog()));
}

TEST_F(LarkwayKeyboardTest, EnterOnAFocusedIconButtonPressesThatButtonNotSend)
{
    const std::wstring item = m_temp.MakeFile(L"item.txt");
    const std::filesystem::path to = m_temp.MakeFolder(L"to");
    Start({item});
    RouteMessages();
    m_keys.Type(to.wstring());
    WaitForDestinationCheck();
    ASSERT_TRUE(SendEnabled());
    ASSERT_TRUE(m_keys.TabTo(Item(IDC_COPY_MOVE)));
    m_keys.Press(VK_RETURN);
    EXPECT_TRUE(m_dialog->IsMoveMode());
    EXPECT_FALSE(std::filesystem::exists(to / L"item.txt"));
    // Tab on to the edit: Enter is Send again, now a move.
    ASSERT_TRUE(m_keys.TabTo(Item(IDC_DESTINATION)));
    m_keys.Press(VK_RETURN);
    EXPECT_TRUE(std::filesystem::exists(to / L"item.txt"));
    EXPECT_FALSE(std::filesystem::exists(item));
}

} // namespace

} // namespace larkway
