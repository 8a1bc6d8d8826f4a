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

TEST_F(DovrinTest, BothDialogsGiveEachControlATabStopAndItsOwnMnemonic)
{
    Start(kFixed);
    RouteMessages();
    EXPECT_EQ(KeyboardFaults(Dialog()), Faults{}) << "drive dialog";

    // The About box, opened by Tab and Space, looked at from inside its own
    // loop (modal: the drive dialog is disabled meanwhile) and closed with Escape.
    Keyboard keys;
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
            keys.Press(VK_ESCAPE);
        });
    });
    ASSERT_TRUE(keys.TabTo(Item(IDC_ABOUT)));
    keys.Press(VK_SPACE);
    EXPECT_EQ(onAbout.Asked(), 1);
    EXPECT_EQ(about, Faults{});
    EXPECT_FALSE(ownerEnabled);
    EXPECT_EQ(version, WIDE(CORVALE_ABOUT_VERSION_DOVRIN)); // of project() in the top CMakeLists.txt
    EXPECT_EQ(::FindWindowW(L"#32770", L"About Dovrin"), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(Dialog()));
}

TEST_F(DovrinTest, ALabelIsAppliedAndADriveChosenByKeysAlone)
{
    LabelFile file(kFixed);
    Start(kFixed);
    RouteMessages();
    Keyboard keys;
    // Alt+L takes the focus to the label with its text selected: typing
    // replaces it. Alt+A applies.
    keys.PressAlt(L'l');
    ASSERT_EQ(::GetFocus(), Item(IDC_LABEL));
    keys.Type(L"Keyed");
    EXPECT_TRUE(Enabled(IDC_APPLY));
    keys.PressAlt(L'a');
    EXPECT_TRUE(RouteMessagesUntil([&] { return Enabled(IDC_LABEL); })); // the drive has answered
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(Keyed)");
    EXPECT_EQ(file.Text(), "Keyed");

    // Alt+D and the arrows go through the list: each drive is shown as it comes.
    keys.PressAlt(L'd');
    ASSERT_TRUE(::IsChild(Item(IDC_DRIVE_LIST), ::GetFocus()));
    const auto driveShown = [&] { return RouteMessagesUntil([&] { return Text(IDC_TYPE) != kReading; }); };
    keys.Press(VK_UP);
    EXPECT_TRUE(driveShown());
    EXPECT_EQ(Title(), L"Dovrin->Drive F");
    keys.Press(VK_DOWN);
    EXPECT_TRUE(driveShown());
    EXPECT_EQ(Title(), L"Dovrin->Drive H");
    EXPECT_TRUE(m_boxes.shown.empty());

    // Enter is OK: the dialog closes.
    keys.Press(VK_RETURN);
    EXPECT_FALSE(::IsWindowVisible(Dialog()));
}

} // namespace
