// The drive list and switching drives, ready or not.
#include "tests/diskinfo/DovrinFixture.h"

#include "framework/MessageBox.h"

namespace {

using namespace testing_support;
using namespace test_drives;

TEST_F(DovrinTest, TheFirstWindowShowsTheCurrentDriveAndWaitsOnlyForItsOwn)
{
    HeldDrives held{kRamDisk};
    ::SetCurrentDirectoryW(kFixed.c_str());
    StartReading(L""); // no drive given: the current folder's
    WaitForDrive();
    EXPECT_EQ(Text(IDC_TYPE), L"Fixed Drive");
    EXPECT_EQ(Title(), L"Dovrin->Drive H");
    EXPECT_EQ(SelectedEntry(), kFixed);

    // The list has every letter from the start; a letter with nothing behind
    // it (G:) goes and each drive gets its icon as the drive answers. The
    // test bed's drives: C: and Z: of every Wine prefix, one of every other kind.
    ASSERT_TRUE(held.WaitUntilAsked(kRamDisk));
    PumpMessages();
    std::vector<std::wstring> roots, withoutIcon;
    for (const Entry& entry : Entries()) {
        roots.push_back(entry.text);
        if (entry.image < 0)
            withoutIcon.push_back(entry.text);
    }
    EXPECT_EQ(roots, (std::vector<std::wstring>{L"C:\\", kCdRom, kFloppy, kNetwork, kFixed, kVanishing, kRamDisk,
                                                L"Z:\\"}));
    EXPECT_EQ(withoutIcon, (std::vector<std::wstring>{kRamDisk, L"Z:\\"}));
    held.LetGo(kRamDisk);
    ASSERT_TRUE(PumpUntil([&] { return ListIsRead(); }));
    const std::vector<Entry> entries = Entries();
    const auto images = reinterpret_cast<HIMAGELIST>(Send(IDC_DRIVE_LIST, CBEM_GETIMAGELIST));
    EXPECT_EQ(::ImageList_GetImageCount(images), static_cast<int>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i].image, static_cast<int>(i));
    EXPECT_EQ(SelectedEntry(), kFixed);
}

TEST_F(DovrinTest, ClosingWaitsForNoDriveStillBeingAsked)
{
    HeldDrives held{kRamDisk}; // let go a minute on at the latest: late, not hung
    {
        dovrin::CDriveInfoDlg dialog(m_app);
        m_app.SetDriveRoot(L"C:\\");
        EXPECT_TRUE(dialog.Create(nullptr));
        EXPECT_TRUE(held.WaitUntilAsked(kRamDisk));
        dialog.DestroyWindow();
    }
    EXPECT_EQ(held.Passed(), 0);
}

TEST_F(DovrinTest, ASlowDriveShowsTheReadingStateAndTheLastChoiceWins)
{
    Start(kCdRom);
    EXPECT_FALSE(Enabled(IDC_LABEL)); // an optical disc's label cannot be changed
    const HICON oldIcon = DriveIcon();
    HeldDrives held{kFixed, kFloppy, L"C:\\"};
    ChooseWhileReading(kFixed);
    EXPECT_EQ(Title(), L"Dovrin->Drive H");
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\");
    EXPECT_EQ(Text(IDC_TYPE), kReading);
    for (int id : {IDC_LABEL, IDC_FILE_SYSTEM, IDC_TOTAL, IDC_FREE, IDC_PERCENT_USED, IDC_CLUSTERS})
        EXPECT_EQ(Text(id), L"") << id;
    EXPECT_EQ(BarPosition(), 0);
    EXPECT_EQ(DriveIcon(), nullptr);
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(oldIcon, &info)); // the icon it replaced is gone
    EXPECT_FALSE(Enabled(IDC_LABEL));
    EXPECT_FALSE(Enabled(IDC_APPLY));

    // Two more choices while H: has not answered: only the last is read.
    ASSERT_TRUE(held.WaitUntilAsked(kFixed));
    ChooseWhileReading(kFloppy);
    ChooseWhileReading(L"C:\\");
    held.LetGo(kFixed);
    ASSERT_TRUE(held.WaitUntilAsked(L"C:\\"));
    PumpMessages(); // H:'s late answer is dropped
    EXPECT_FALSE(held.Asked(kFloppy));
    EXPECT_EQ(Title(), L"Dovrin->Drive C");
    EXPECT_EQ(Text(IDC_TYPE), kReading);

    held.LetGo(L"C:\\");
    WaitForDrive();
    EXPECT_EQ(Text(IDC_TYPE), L"Fixed Drive");
    EXPECT_NE(DriveIcon(), nullptr);
    EXPECT_TRUE(Enabled(IDC_LABEL));
    EXPECT_EQ(m_app.DriveRoot(), L"C:\\");
    EXPECT_EQ(CurrentFolder(), L"C:\\");
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_F(DovrinTest, ALowerCaseStartRootIsRefreshedOnceWhenItsEntryIsChosen)
{
    Start(L"h:\\");
    EXPECT_EQ(SelectedEntry(), kFixed);
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(Scratch)");

    TypeLabel(L"typed");
    Choose(kFixed);
    EXPECT_EQ(Text(IDC_LABEL), L"Scratch"); // shown anew
    EXPECT_FALSE(Enabled(IDC_APPLY));
    EXPECT_EQ(m_app.DriveRoot(), kFixed);
    EXPECT_EQ(CurrentFolder(), kFixed);

    // The drive on show chosen again: nothing is read, nothing entered.
    std::filesystem::current_path(L"C:\\");
    TypeLabel(L"typed again");
    Choose(kFixed);
    EXPECT_EQ(Text(IDC_LABEL), L"typed again");
    EXPECT_TRUE(Enabled(IDC_APPLY));
    EXPECT_EQ(CurrentFolder(), L"C:\\");
}

TEST_F(DovrinTest, ANotReadyDriveGoesBackOnCancelAndIsEnteredOnRetryOnceReady)
{
    Start(L"C:\\");
    Choose(kFixed); // the drive Cancel goes back to
    VanishedDrive vanished;
    std::vector<MessageBoxRecorder::Shown> shown;
    int answers = 0;
    fx::SetMessageBoxHandler([&](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
        shown.push_back({text, caption, type});
        ++answers;
        if (answers == 3)
            VanishedDrive::Return(); // the disc is in now
        // Cancel once, then Retry; a program that never gets in still ends.
        return answers == 1 || answers > 5 ? IDCANCEL : IDRETRY;
    });
    Choose(kVanishing);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(SelectedEntry(), kFixed);
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(Scratch)");
    EXPECT_EQ(m_app.DriveRoot(), kFixed);
    EXPECT_EQ(CurrentFolder(), kFixed);

    Choose(kVanishing);
    fx::SetMessageBoxHandler(nullptr);
    ASSERT_EQ(shown.size(), 3u);
    for (const MessageBoxRecorder::Shown& box : shown) {
        EXPECT_EQ(box.text, L"I:\\ is not accessible.\r\rThe Device is not ready.");
        EXPECT_EQ(box.caption, L"Dovrin->I:\\");
        EXPECT_EQ(box.type, static_cast<UINT>(MB_RETRYCANCEL | MB_ICONSTOP));
    }
    EXPECT_EQ(SelectedEntry(), kVanishing);
    EXPECT_EQ(Title(), L"Dovrin->Drive I");
    EXPECT_EQ(m_app.DriveRoot(), kVanishing);
    EXPECT_EQ(CurrentFolder(), kVanishing);
}

} // namespace
