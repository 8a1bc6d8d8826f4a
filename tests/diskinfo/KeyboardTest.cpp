// A user's walk through the drive dialog, by the keyboard alone where it goes through the program's own
// message routing: the drive on show, the volume label, the About box, drives not ready.
#include "tests/diskinfo/DovrinFixture.h"

#include "Version.h"
#include "framework/MessageBox.h"
#include "tests/support/DpiChecks.h"
#include "tests/support/Keyboard.h"
#include "tests/support/KeyboardAudit.h"

namespace {

using namespace testing_support;
using namespace test_drives;
using Faults = std::vector<std::wstring>;
using DovrinDpiTest = DovrinTest;

TEST_F(DovrinTest, AUsersWalkByKeysThroughTheLabelTheAboutBoxAndDrivesReadyOrNot)
{
    // A lower-case start root is refreshed once when its entry is chosen.
    Start(L"h:\\");
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(Scratch)");
    TypeLabel(L"typed");
    Choose(kFixed);
    EXPECT_EQ(Text(IDC_LABEL), L"Scratch");
    EXPECT_EQ(CurrentFolder(), kFixed);
    // The drive on show chosen again: nothing is read, nothing entered.
    std::filesystem::current_path(L"C:\\");
    TypeLabel(L"typed again");
    Choose(kFixed);
    EXPECT_EQ(Text(IDC_LABEL), L"typed again");
    EXPECT_EQ(CurrentFolder(), L"C:\\");
    TypeLabel(L"SCRATCH"); // exact comparison: letter case alone is a change
    EXPECT_TRUE(Enabled(IDC_APPLY));
    TypeLabel(L"Scratch");
    EXPECT_FALSE(Enabled(IDC_APPLY));
    // Each control has a tab stop and its own mnemonic; the About box is modal.
    RouteMessages();
    EXPECT_EQ(KeyboardFaults(Dialog()), Faults{}) << "drive dialog";
    Keyboard keys;
    PostedSteps steps;
    Faults about{L"not shown"};
    DialogAnswerer onAbout([&](HWND box) {
        steps.Post([&, box] {
            about = KeyboardFaults(box);
            if (::IsWindowEnabled(Dialog()))
                about.push_back(L"not modal");
            if (!::FindWindowExW(box, nullptr, L"Static", L"" CORVALE_ABOUT_VERSION_DOVRIN)) // of project()
                about.push_back(L"no version");
            keys.Press(VK_ESCAPE);
        });
    });
    ASSERT_TRUE(keys.TabTo(Item(IDC_ABOUT)));
    keys.Press(VK_SPACE);
    EXPECT_EQ(about, Faults{});
    // Alt+L selects the label's text: typing replaces it; Alt+A applies.
    keys.PressAlt(L'l');
    ASSERT_EQ(::GetFocus(), Item(IDC_LABEL));
    keys.Type(L"Keyed");
    keys.PressAlt(L'a');
    EXPECT_TRUE(RouteMessagesUntil([&] { return Enabled(IDC_LABEL); })); // the drive has answered
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(Keyed)");
    EXPECT_EQ(LabelOnDisk(kFixed), L"Keyed");
    TypeLabel(L"Scratch"); // the applied label is now the saved one
    EXPECT_TRUE(Enabled(IDC_APPLY));
    // An empty label removes the drive's; NTFS keeps 32 characters: a longer text put in whole is cut to them.
    for (const std::wstring& typed : {std::wstring(), std::wstring(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456")}) {
        TypeLabel(typed);
        ClickApply();
        EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(" + typed.substr(0, 32) + L")");
        EXPECT_EQ(LabelOnDisk(kFixed), typed.substr(0, 32));
    }
    // Alt+D and an arrow go through the list; the network drive's label cannot be set.
    keys.PressAlt(L'd');
    ASSERT_TRUE(::IsChild(Item(IDC_DRIVE_LIST), ::GetFocus()));
    keys.Press(VK_UP);
    EXPECT_TRUE(RouteMessagesUntil([&] { return Text(IDC_TYPE) != kReading; }));
    EXPECT_EQ(Title(), L"Dovrin->Drive F");
    const std::wstring shown = Text(IDC_LABEL) + L" " + Text(IDC_DRIVE_CAPTION);
    TypeLabel(L"Refused");
    ClickApply();
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text, L"Error:Unable To Set Volume Label");
    EXPECT_EQ(m_boxes.shown[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(Text(IDC_LABEL) + L" " + Text(IDC_DRIVE_CAPTION), shown);
    EXPECT_FALSE(Enabled(IDC_APPLY));
    // A drive not ready: back to the drive shown on Cancel, entered on Retry once ready.
    VanishedDrive vanished;
    std::vector<std::wstring> boxes; // each box's caption, text and type
    fx::SetMessageBoxHandler([&](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
        boxes.push_back(caption + L"|" + text + L"|" + std::to_wstring(type));
        if (boxes.size() == 3)
            VanishedDrive::Return(); // the disc is in now
        // Cancel once, then Retry; a program that never gets in still ends.
        return boxes.size() == 1 || boxes.size() > 5 ? IDCANCEL : IDRETRY;
    });
    Choose(kVanishing);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(Title(), L"Dovrin->Drive F");
    EXPECT_EQ(CurrentFolder(), kNetwork);
    Choose(kVanishing);
    fx::SetMessageBoxHandler(nullptr);
    const std::wstring notReady = L"Dovrin->I:\\|I:\\ is not accessible.\r\rThe Device is not ready.|" +
                                  std::to_wstring(MB_RETRYCANCEL | MB_ICONSTOP);
    EXPECT_EQ(boxes, std::vector<std::wstring>(3, notReady));
    EXPECT_EQ(Title(), L"Dovrin->Drive I");
    EXPECT_EQ(CurrentFolder(), kVanishing);
    keys.PressAlt(L'd');
    keys.Press(VK_RETURN); // OK: the dialog closes
    EXPECT_FALSE(::IsWindowVisible(Dialog()));
}

// At the DPI of the run (tests/CMakeLists.txt runs these at 96 and again at 144 DPI): every text fits its
// control, and what the dialog sizes itself is sized for the DPI.
TEST_F(DovrinDpiTest, TextsFitAndIconsAreSizedForTheDpi)
{
    EXPECT_EQ(IconsWithoutSizes({16, 24, 32, 48}), Faults{});
    Start(L"C:\\");
    EXPECT_EQ(::GetDpiForWindow(Dialog()), IntendedDpi());
    EXPECT_EQ(ClippedTexts(Dialog()), Faults{});
    EXPECT_EQ(IconButtonsNotSizedFor(Dialog(), {IDC_ABOUT, IDOK, IDC_APPLY}, 32), Faults{});
    int width = 0, height = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(Images(), &width, &height));
    EXPECT_EQ(std::pair(width, height), std::pair(AtWindowDpi(Dialog(), 16), AtWindowDpi(Dialog(), 16)));
}

} // namespace
