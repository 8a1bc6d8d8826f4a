// A user's walk through the drive dialog, by the keyboard alone where it goes through the program's own
// message routing: the drive on show, the volume label, the About box, drives not ready.
#include "tests/diskinfo/DovrinFixture.h"

#include "Version.h"
#include "framework/MessageBox.h"
#include "tests/support/DpiChecks.h"
#include "tests/support/Keyboard.h"
#include "tests/support/KeyboardAudit.h"

#define WIDE_LITERAL(text) L##text
#define WIDE(text) WIDE_LITERAL(text)

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
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_EQ(CurrentFolder(), kFixed);
    // The drive on show chosen again: nothing is read, nothing entered.
    std::filesystem::current_path(L"C:\\");
    TypeLabel(L"typed again");
    Choose(kFixed);
    EXPECT_EQ(Text(IDC_LABEL), L"typed again");
    EXPECT_TRUE(Enabled(IDC_APPLY));
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
    EXPECT_EQ(about, Faults{});
    EXPECT_FALSE(ownerEnabled);
    EXPECT_EQ(version, WIDE(CORVALE_ABOUT_VERSION_DOVRIN)); // of project() in the top CMakeLists.txt

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

    // Alt+D and an arrow go through the list; the network drive's label cannot be set.
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

    // A drive not ready: back to the drive shown on Cancel, entered on Retry once ready.
    VanishedDrive vanished;
    std::vector<MessageBoxRecorder::Shown> shown;
    fx::SetMessageBoxHandler([&](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
        shown.push_back({text, caption, type});
        if (shown.size() == 3)
            VanishedDrive::Return(); // the disc is in now
        // Cancel once, then Retry; a program that never gets in still ends.
        return shown.size() == 1 || shown.size() > 5 ? IDCANCEL : IDRETRY;
    });
    Choose(kVanishing);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(Title(), L"Dovrin->Drive F");
    EXPECT_EQ(m_app.DriveRoot(), kNetwork);
    EXPECT_EQ(CurrentFolder(), kNetwork);
    Choose(kVanishing);
    fx::SetMessageBoxHandler(nullptr);
    ASSERT_EQ(shown.size(), 3u);
    for (const MessageBoxRecorder::Shown& box : shown) {
        EXPECT_EQ(box.text, L"I:\\ is not accessible.\r\rThe Device is not ready.");
        EXPECT_EQ(box.caption, L"Dovrin->I:\\");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_RETRYCANCEL | MB_ICONSTOP));
    }
    EXPECT_EQ(Title(), L"Dovrin->Drive I");
    EXPECT_EQ(m_app.DriveRoot(), kVanishing);
    EXPECT_EQ(CurrentFolder(), kVanishing);
    keys.PressAlt(L'd');
    keys.Press(VK_RETURN); // OK: the dialog closes
    EXPECT_FALSE(::IsWindowVisible(Dialog()));
}

// At the DPI of the run (tests/CMakeLists.txt runs these at 96 and again at 144 DPI): every text fits its
// control, and what the dialog sizes itself is sized for the DPI.
TEST_F(DovrinDpiTest, TextsFitAndIconsAreSizedForTheDpi)
{
    const std::vector<std::wstring> none;
    EXPECT_EQ(IconsWithoutSizes({16, 24, 32, 48}), none);
    Start(L"C:\\");
    EXPECT_EQ(::GetDpiForWindow(Dialog()), IntendedDpi());
    EXPECT_EQ(ClippedTexts(Dialog()), none);
    EXPECT_EQ(IconButtonsNotSizedFor(Dialog(), {IDC_ABOUT, IDOK, IDC_APPLY}, 32), none);
    int width = 0, height = 0;
    const auto images = reinterpret_cast<HIMAGELIST>(Send(IDC_DRIVE_LIST, CBEM_GETIMAGELIST));
    ASSERT_TRUE(::ImageList_GetIconSize(images, &width, &height));
    EXPECT_EQ(std::pair(width, height), std::pair(AtWindowDpi(Dialog(), 16), AtWindowDpi(Dialog(), 16)));
}

} // namespace
