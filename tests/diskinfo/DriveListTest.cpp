// The drive list and switching drives, ready or not.
#include "tests/diskinfo/DovrinFixture.h"

#include "framework/Format.h"
#include "framework/MessageBox.h"
#include "outside/pallavol/DiskInfo.h"

namespace {

using namespace testing_support;
using namespace test_drives;

TEST_F(DovrinTest, TheFirstWindowWaitsOnlyForItsOwnDriveAndASlowDriveShowsTheLastChoiceAsThePlatformGivesIt)
{
    {
        HeldDrives held{kRamDisk};
        ::SetCurrentDirectoryW(kFixed.c_str());
        ASSERT_TRUE(m_dialog.Create(nullptr)); // no drive given: the current folder's
        WaitForDrive();
        EXPECT_EQ(Text(IDC_TYPE), L"Fixed Drive");
        EXPECT_EQ(Title(), L"Dovrin->Drive H");
        // Every letter is listed from the start; one with nothing behind it (G:) goes, each drive gets its
        // icon as it answers. The test bed: C: and Z: of every Wine prefix, one drive of every other kind.
        ASSERT_TRUE(held.WaitUntilAsked(kRamDisk));
        PumpMessages();
        std::wstring listed; // "?" after a drive without its icon
        for (const Entry& entry : Entries())
            listed += entry.text + (entry.image < 0 ? L"? " : L" ");
        EXPECT_EQ(listed, L"C:\\ D:\\ E:\\ F:\\ H:\\ I:\\ R:\\? Z:\\? ");
        held.LetGo(kRamDisk);
        ASSERT_TRUE(PumpUntil([&] { return ListIsRead(); }));
        const std::vector<Entry> entries = Entries();
        const auto images = reinterpret_cast<HIMAGELIST>(Send(IDC_DRIVE_LIST, CBEM_GETIMAGELIST));
        EXPECT_EQ(::ImageList_GetImageCount(images), static_cast<int>(entries.size()));
        for (size_t i = 0; i < entries.size(); ++i)
            EXPECT_EQ(entries[i].image, static_cast<int>(i));
        EXPECT_EQ(SelectedEntry(), kFixed);
    }
    Choose(kCdRom);
    EXPECT_FALSE(Enabled(IDC_LABEL)); // an optical disc's label cannot be changed
    const HICON oldIcon = DriveIcon();
    HeldDrives held{kFixed, kFloppy, L"C:\\"};
    Choose(kFixed, false);
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
    Choose(kFloppy, false);
    Choose(L"C:\\", false);
    held.LetGo(kFixed);
    ASSERT_TRUE(held.WaitUntilAsked(L"C:\\"));
    PumpMessages(); // H:'s late answer is dropped
    EXPECT_FALSE(held.Asked(kFloppy));
    EXPECT_EQ(Text(IDC_TYPE), kReading);

    // Drive C as the platform gives it. Other programs write to the disk meanwhile: the free space is the one
    // read before the dialog's reading or the one after.
    wchar_t label[MAX_PATH + 1] = L"", fileSystem[MAX_PATH + 1] = L"";
    DWORD serial = 0, maxLength = 0, flags = 0, sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0,
          clusters = 0;
    ASSERT_TRUE(::GetVolumeInformationW(L"C:\\", label, MAX_PATH + 1, &serial, &maxLength, &flags, fileSystem,
                                        MAX_PATH + 1));
    ASSERT_TRUE(::GetDiskFreeSpaceW(L"C:\\", &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters));
    ULARGE_INTEGER before{}, total{}, after{};
    ASSERT_TRUE(::GetDiskFreeSpaceExW(L"C:\\", &before, &total, nullptr));
    held.LetGo(L"C:\\");
    WaitForDrive();
    ASSERT_TRUE(::GetDiskFreeSpaceExW(L"C:\\", &after, &total, nullptr));
    const CDiskInfo units;
    EXPECT_TRUE(Text(IDC_FREE) == units.GetUnitSize(before.QuadPart) || Text(IDC_FREE) == units.GetUnitSize(after.QuadPart))
        << testing::PrintToString(Text(IDC_FREE));
    EXPECT_EQ(Text(IDC_TOTAL), units.GetUnitSize(total.QuadPart));
    EXPECT_EQ(Text(IDC_LABEL), label);
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"C:\\(" + std::wstring(label) + L")");
    EXPECT_EQ(Title(), L"Dovrin->Drive C");
    EXPECT_EQ(Text(IDC_FILE_SYSTEM), fileSystem);
    EXPECT_EQ(Text(IDC_MAX_NAME_LENGTH), std::to_wstring(maxLength));
    // Two groups of four upper-case hex digits, high word first.
    EXPECT_EQ(Text(IDC_SERIAL_NUMBER), fx::Format(L"%04X-%04X", unsigned(serial >> 16), unsigned(serial & 0xFFFF)));
    for (const auto& [bit, box] : kFlagBoxes) {
        EXPECT_EQ(Checked(box), (flags & bit) != 0) << box;
        EXPECT_FALSE(Enabled(box)) << box << ": the flags only show";
    }
    EXPECT_EQ(Text(IDC_SECTORS_PER_CLUSTER), std::to_wstring(sectorsPerCluster));
    EXPECT_EQ(Text(IDC_BYTES_PER_SECTOR), std::to_wstring(bytesPerSector));
    EXPECT_EQ(Text(IDC_CLUSTERS), std::to_wstring(clusters));
    EXPECT_NE(DriveIcon(), nullptr);
    EXPECT_TRUE(Enabled(IDC_LABEL));
    EXPECT_EQ(CurrentFolder(), L"C:\\");
    EXPECT_TRUE(m_boxes.shown.empty());
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

TEST_F(DovrinTest, TheDriveOnShowIsNotReadAgainAndOneNotReadyIsEnteredOnlyOnRetry)
{
    // A lower-case start root is refreshed once when its entry is chosen.
    Start(L"h:\\");
    EXPECT_EQ(SelectedEntry(), kFixed);
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

    // A drive not ready: back to the last drive shown on Cancel, entered on Retry once ready.
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
    EXPECT_EQ(SelectedEntry(), kFixed);
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(Scratch)");
    EXPECT_EQ(m_app.DriveRoot(), kFixed);
    EXPECT_EQ(CurrentFolder(), L"C:\\");
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
}

} // namespace
