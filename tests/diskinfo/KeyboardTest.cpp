// Dovrin with the keyboard alone: what its dialogs offer to Tab and to
// mnemonics, and a label change and a change of drive done with keys that go
// through the program's own message routing.
#include "tests/diskinfo/DovrinFixture.h"

#include "Version.h"
#include "tests/support/Keyboard.h"
#include "tests/support/KeyboardAudit.h"

#define WIDE_LITERAL(text) L##text
#define WIDE(text) WIDE_LITERAL(text)

namespace {

using namespace testing_support;
using namespace test_drives;
using Faults = std::vector<std::wstring>;

class DovrinKeyboardTest : public DovrinTest {
protected:
    void StartWithKeys(const std::wstring& root)
    {
        Start(root);
        RouteMessages();
    }
    Keyboard m_keys;
};

TEST_F(DovrinKeyboardTest, BothDialogsGiveEachControlATabStopAndItsOwnMnemonic)
{
    StartWithKeys(kFixed);
    EXPECT_EQ(KeyboardFaults(Dialog()), Faults{}) << "drive dialog";

    // The About box, opened by Tab and Space, looked at from inside its own
    // loop (modal: the drive dialog is disabled meanwhile) and closed with Escape.
    PostedSteps steps;
    Faults about{L"not shown"};
    std::wstring version;
    bool ownerEnabled = true;
    DialogAnswerer onAbout([&](HWND box) {
        steps.Post([&, box] {
            about = KeyboardFaults(box);
            ownerEnabled = ::IsWindowEnabled(Dialog()) != FALSE;
            for (HWND child = nullptr; (child = ::FindWindowExW(box, child, L"Static", nullptr)) != nullptr;)
                if (WindowText(child).find(L"Version") != std::wstring::npos)
                    version = WindowText(child);
            m_keys.Press(VK_ESCAPE);
        });
    });
    ASSERT_TRUE(m_keys.TabTo(Item(IDC_ABOUT)));
    m_keys.Press(VK_SPACE);
    EXPECT_EQ(onAbout.Asked(), 1);
    EXPECT_EQ(about, Faults{});
    EXPECT_FALSE(ownerEnabled);
    // The version of project() in the top CMakeLists.txt.
    EXPECT_EQ(version, WIDE(CORVALE_ABOUT_VERSION_DOVRIN));
    EXPECT_EQ(::FindWindowW(L"#32770", L"About Dovrin"), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(Dialog()));
}

TEST_F(DovrinKeyboardTest, ALabelIsTypedAndAppliedByKeysAlone)
{
    LabelFileKeeper keeper(kFixed);
    StartWithKeys(kFixed);
    ASSERT_EQ(Text(IDC_LABEL), L"Scratch");

    // Alt+L takes the focus to the label with its text selected: typing
    // replaces it. Alt+A applies.
    m_keys.PressAlt(L'l');
    ASSERT_EQ(::GetFocus(), Item(IDC_LABEL));
    m_keys.Type(L"Keyed");
    EXPECT_TRUE(Enabled(IDC_APPLY));
    m_keys.PressAlt(L'a');
    EXPECT_TRUE(RouteMessagesUntil([&] { return Enabled(IDC_LABEL); })); // the drive has answered
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(Keyed)");
    EXPECT_EQ(LabelFile(kFixed), "Keyed");
    EXPECT_FALSE(Enabled(IDC_APPLY));

    m_keys.Press(VK_ESCAPE);
    EXPECT_FALSE(::IsWindowVisible(Dialog()));
}

TEST_F(DovrinKeyboardTest, TheDriveIsChosenWithAltDAndTheArrows)
{
    StartWithKeys(L"C:\\");
    m_keys.PressAlt(L'd');
    ASSERT_TRUE(::IsChild(Item(IDC_DRIVE_LIST), ::GetFocus()));
    const auto driveShown = [&] { return RouteMessagesUntil([&] { return Text(IDC_TYPE) != kReading; }); };
    m_keys.Press(VK_DOWN);
    EXPECT_TRUE(driveShown());
    EXPECT_EQ(Title(), L"Dovrin->Drive D");
    EXPECT_EQ(Text(IDC_TYPE), L"CD-ROM Drive");
    EXPECT_FALSE(Enabled(IDC_LABEL));
    m_keys.Press(VK_UP);
    EXPECT_TRUE(driveShown());
    EXPECT_EQ(Title(), L"Dovrin->Drive C");
    EXPECT_TRUE(Enabled(IDC_LABEL));
    EXPECT_TRUE(m_boxes.shown.empty());

    // Enter is OK: the dialog closes.
    m_keys.Press(VK_RETURN);
    EXPECT_FALSE(::IsWindowVisible(Dialog()));
}

} // namespace
