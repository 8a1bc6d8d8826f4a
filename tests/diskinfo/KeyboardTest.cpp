// Editing and applying the volume label, and Dovrin with the keyboard alone through the program's own message
// routing: what its dialogs offer to Tab and to mnemonics, a label change and a change of drive.
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

TEST_F(DovrinTest, ALabelIsAppliedWhileItDiffersAndEverythingIsReachedByKeys)
{
    Start(kFixed);
    RouteMessages();
    EXPECT_EQ(KeyboardFaults(Dialog()), Faults{}) << "drive dialog";
    ASSERT_EQ(Text(IDC_LABEL), L"Scratch");
    EXPECT_FALSE(Enabled(IDC_APPLY));
    TypeLabel(L"SCRATCH"); // exact comparison: letter case alone is a change
    EXPECT_TRUE(Enabled(IDC_APPLY));
    TypeLabel(L"Scratch");
    EXPECT_FALSE(Enabled(IDC_APPLY));
    TypeLabel(L"Renamed");
    ClickApply();
    EXPECT_EQ(LabelOnDisk(kFixed), L"Renamed");
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(Renamed)");
    EXPECT_FALSE(Enabled(IDC_APPLY));
    TypeLabel(L"Scratch"); // the applied label is now the saved one
    EXPECT_TRUE(Enabled(IDC_APPLY));
    TypeLabel(L""); // removes the drive's label
    ClickApply();
    EXPECT_EQ(LabelOnDisk(kFixed), L"");
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\()");
    // NTFS keeps 32 characters: typing stops there, a longer text put in whole is cut to them when applied.
    EXPECT_EQ(Send(IDC_LABEL, EM_GETLIMITTEXT), 32);
    const std::wstring longLabel = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456", kept = longLabel.substr(0, 32);
    TypeLabel(longLabel);
    ClickApply();
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(" + kept + L")");
    EXPECT_EQ(LabelOnDisk(kFixed), kept);

    // The About box, opened by Tab and Space, looked at from inside its own loop and closed with Escape.
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
    EXPECT_FALSE(ownerEnabled); // modal
    EXPECT_EQ(version, WIDE(CORVALE_ABOUT_VERSION_DOVRIN)); // of project() in the top CMakeLists.txt
    EXPECT_EQ(::FindWindowW(L"#32770", L"About Dovrin"), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(Dialog()));

    // Alt+L selects the label's text: typing replaces it. Alt+A applies.
    keys.PressAlt(L'l');
    ASSERT_EQ(::GetFocus(), Item(IDC_LABEL));
    keys.Type(L"Keyed");
    keys.PressAlt(L'a');
    EXPECT_TRUE(RouteMessagesUntil([&] { return Enabled(IDC_LABEL); })); // the drive has answered
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(Keyed)");
    EXPECT_EQ(LabelOnDisk(kFixed), L"Keyed");
    EXPECT_TRUE(m_boxes.shown.empty());

    // Alt+D and the arrows go through the list, each drive shown as it comes. Up: the network drive, whose
    // label field is open though its label cannot be set.
    keys.PressAlt(L'd');
    ASSERT_TRUE(::IsChild(Item(IDC_DRIVE_LIST), ::GetFocus()));
    keys.Press(VK_UP);
    EXPECT_TRUE(RouteMessagesUntil([&] { return Text(IDC_TYPE) != kReading; }));
    EXPECT_EQ(Title(), L"Dovrin->Drive F");
    const std::wstring saved = Text(IDC_LABEL), caption = Text(IDC_DRIVE_CAPTION);
    TypeLabel(L"Refused");
    ClickApply();
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text, L"Error:Unable To Set Volume Label");
    EXPECT_EQ(m_boxes.shown[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(Text(IDC_LABEL), saved);
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), caption);
    EXPECT_FALSE(Enabled(IDC_APPLY));
    keys.PressAlt(L'd');
    keys.Press(VK_DOWN);
    EXPECT_TRUE(RouteMessagesUntil([&] { return Text(IDC_TYPE) != kReading; }));
    EXPECT_EQ(Title(), L"Dovrin->Drive H");
    keys.Press(VK_RETURN); // OK: the dialog closes
    EXPECT_FALSE(::IsWindowVisible(Dialog()));
}

} // namespace
