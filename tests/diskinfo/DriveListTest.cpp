// The drive list and switching drives, ready or not.
#include "tests/diskinfo/DovrinFixture.h"

#include "framework/MessageBox.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using namespace testing_support;
using namespace test_drives;

const MessageBoxRecorder::Shown kNotReady{L"I:\\ is not accessible.\r\rThe Device is not ready.", L"Dovrin->I:\\",
                                          MB_RETRYCANCEL | MB_ICONSTOP};

void ExpectNotReadyMessages(const std::vector<MessageBoxRecorder::Shown>& shown, size_t count)
{
    ASSERT_EQ(shown.size(), count);
    for (const MessageBoxRecorder::Shown& box : shown) {
        EXPECT_EQ(box.text, kNotReady.text);
        EXPECT_EQ(box.caption, kNotReady.caption);
        EXPECT_EQ(box.type, kNotReady.type);
    }
}

TEST_F(DovrinTest, TheFirstWindowWaitsOnlyForItsOwnDrive)
{
    HeldDrives held{kRamDisk};
    StartReading(L"C:\\");
    WaitForDrive();
    EXPECT_EQ(Text(IDC_TYPE), L"Fixed Drive");
    EXPECT_EQ(Title(), L"Dovrin->Drive C");

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
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(Item(IDC_DRIVE_LIST), CBEM_GETIMAGELIST, 0, 0));
    EXPECT_EQ(::ImageList_GetImageCount(images), static_cast<int>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].image, static_cast<int>(i));
        EXPECT_EQ(entries[i].selectedImage, static_cast<int>(i));
    }
    EXPECT_EQ(SelectedEntry(), L"C:\\");
}

TEST_F(DovrinTest, ClosingWaitsForNoDriveStillBeingAsked)
{
    HeldDrives held{kRamDisk};
    // Should the dialog wait for the drive after all, it gets it after a
    // while instead of never.
    std::mutex lock;
    std::condition_variable done;
    bool closed = false, heldUntilClosed = true;
    std::thread fallback([&] {
        std::unique_lock<std::mutex> guard(lock);
        if (!done.wait_for(guard, std::chrono::seconds(30), [&] { return closed; })) {
            heldUntilClosed = false;
            held.LetGo(kRamDisk);
        }
    });
    {
        dovrin::CDriveInfoDlg dialog(m_app);
        m_app.SetDriveRoot(L"C:\\");
        EXPECT_TRUE(dialog.Create(nullptr));
        EXPECT_TRUE(held.WaitUntilAsked(kRamDisk));
        dialog.DestroyWindow();
    }
    {
        std::lock_guard<std::mutex> guard(lock);
        closed = true;
    }
    done.notify_all();
    fallback.join();
    EXPECT_TRUE(heldUntilClosed);
}

TEST_F(DovrinTest, ASlowDriveShowsTheReadingStateAndTheLastChoiceWins)
{
    Start(kCdRom);
    HeldDrives held{kFixed, kFloppy, L"C:\\"};
    ChooseWhileReading(kFixed);
    EXPECT_EQ(Title(), L"Dovrin->Drive H");
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\");
    EXPECT_EQ(Text(IDC_TYPE), kReading);
    for (int id : {IDC_LABEL, IDC_FILE_SYSTEM, IDC_TOTAL, IDC_FREE, IDC_PERCENT_USED, IDC_CLUSTERS})
        EXPECT_EQ(Text(id), L"") << id;
    EXPECT_EQ(BarPosition(), 0);
    EXPECT_EQ(DriveIcon(), nullptr);
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
    EXPECT_EQ(Title(), L"Dovrin->Drive C");
    EXPECT_NE(DriveIcon(), nullptr);
    EXPECT_TRUE(Enabled(IDC_LABEL));
    EXPECT_EQ(m_app.DriveRoot(), L"C:\\");
    EXPECT_EQ(CurrentFolder(), L"C:\\");
    EXPECT_TRUE(m_boxes.shown.empty());
}

TEST_F(DovrinTest, ChoosingADriveShowsItAndEntersIt)
{
    Start(L"C:\\");
    const HICON oldIcon = DriveIcon();
    Choose(kFixed);
    EXPECT_EQ(Title(), L"Dovrin->Drive H");
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(Scratch)");
    EXPECT_EQ(Text(IDC_TYPE), L"Fixed Drive");
    EXPECT_EQ(m_app.DriveRoot(), kFixed);
    EXPECT_EQ(CurrentFolder(), kFixed);
    EXPECT_TRUE(m_boxes.shown.empty());

    // The drive's icon is new, and the one it replaced is gone.
    EXPECT_NE(DriveIcon(), nullptr);
    EXPECT_NE(DriveIcon(), oldIcon);
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(oldIcon, &info));
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
    Choose(kFixed);
    VanishedDrive vanished;
    Choose(kVanishing);
    ExpectNotReadyMessages(m_boxes.shown, 1);
    EXPECT_EQ(SelectedEntry(), kFixed);
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"H:\\(Scratch)");
    EXPECT_EQ(m_app.DriveRoot(), kFixed);
    EXPECT_EQ(CurrentFolder(), kFixed);

    std::vector<MessageBoxRecorder::Shown> shown;
    fx::SetMessageBoxHandler([&shown](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
        shown.push_back({text, caption, type});
        if (shown.size() == 2)
            VanishedDrive::Return(); // the disc is in now
        return shown.size() < 5 ? IDRETRY : IDCANCEL; // a program that never gets in still ends
    });
    Choose(kVanishing);
    fx::SetMessageBoxHandler(nullptr);
    ExpectNotReadyMessages(shown, 2);
    EXPECT_EQ(SelectedEntry(), kVanishing);
    EXPECT_EQ(Title(), L"Dovrin->Drive I");
    EXPECT_EQ(m_app.DriveRoot(), kVanishing);
    EXPECT_EQ(CurrentFolder(), kVanishing);
}

} // namespace
