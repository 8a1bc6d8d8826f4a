// The start drive, the drive list, slow drives, and what the dialog shows of a drive.
#include "tests/diskinfo/DovrinFixture.h"

#include "common/DropList.h"
#include "framework/Format.h"
#include "outside/pallavol/DiskInfo.h"

namespace {

using namespace testing_support;
using namespace test_drives;

TEST_F(DovrinTest, TheFirstWindowWaitsForItsOwnDriveOnlyAndShowsTheLastChoiceOfSlowOnesAndFiguresAsGiven)
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
        EXPECT_EQ(Listing(), L"C:\\0 D:\\1 E:\\2 F:\\3 H:\\4 I:\\5 R:\\? Z:\\? ");
        held.LetGo(kRamDisk);
        EXPECT_TRUE(PumpUntil([&] { return Listing() == L"C:\\0 D:\\1 E:\\2 F:\\3 H:\\4 I:\\5 R:\\6 Z:\\7 "; }))
            << testing::PrintToString(Listing());
        EXPECT_EQ(::ImageList_GetImageCount(Images()), 8);
        EXPECT_EQ(Send(IDC_DRIVE_LIST, CB_GETCURSEL), 4); // H: still
    }
    const HICON oldIcon = DriveIcon();
    HeldDrives held{kCdRom, kFloppy, L"C:\\"};
    Choose(kCdRom, false);
    EXPECT_EQ(Title(), L"Dovrin->Drive D");
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"D:\\");
    EXPECT_EQ(Text(IDC_TYPE), kReading);
    for (int id : {IDC_LABEL, IDC_FILE_SYSTEM, IDC_TOTAL, IDC_FREE, IDC_PERCENT_USED, IDC_CLUSTERS})
        EXPECT_EQ(Text(id), L"") << id;
    EXPECT_EQ(Send(IDC_USAGE_BAR, PBM_GETPOS), 0);
    EXPECT_EQ(DriveIcon(), nullptr);
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(oldIcon, &info)); // the icon it replaced is gone
    EXPECT_FALSE(Enabled(IDC_LABEL));
    // Two more choices while D: has not answered: only the last is read.
    ASSERT_TRUE(held.WaitUntilAsked(kCdRom));
    Choose(kFloppy, false);
    Choose(L"C:\\", false);
    held.LetGo(kCdRom);
    ASSERT_TRUE(held.WaitUntilAsked(L"C:\\"));
    PumpMessages(); // D:'s late answer is dropped
    EXPECT_FALSE(held.Asked(kFloppy));
    EXPECT_EQ(Text(IDC_TYPE), kReading);
    // Drive C as the platform gives it; others write meanwhile: free is as read before the dialog or after.
    wchar_t label[MAX_PATH + 1] = L"", fs[MAX_PATH + 1] = L"";
    DWORD serial = 0, maxLength = 0, flags = 0, sectors = 0, bytes = 0, freeClusters = 0, clusters = 0;
    ASSERT_TRUE(::GetVolumeInformationW(L"C:\\", label, MAX_PATH, &serial, &maxLength, &flags, fs, MAX_PATH));
    ASSERT_TRUE(::GetDiskFreeSpaceW(L"C:\\", &sectors, &bytes, &freeClusters, &clusters));
    ULARGE_INTEGER before{}, total{}, after{};
    ASSERT_TRUE(::GetDiskFreeSpaceExW(L"C:\\", &before, &total, nullptr));
    held.LetGo(L"C:\\");
    WaitForDrive();
    ASSERT_TRUE(::GetDiskFreeSpaceExW(L"C:\\", &after, &total, nullptr));
    const CDiskInfo units;
    EXPECT_TRUE(Text(IDC_FREE) == units.GetUnitSize(before.QuadPart) || Text(IDC_FREE) == units.GetUnitSize(after.QuadPart))
        << testing::PrintToString(Text(IDC_FREE));
    // The serial: two groups of four hex digits, high word first.
    const std::pair<int, std::wstring> shown[] = {{IDC_TOTAL, units.GetUnitSize(total.QuadPart)},
        {IDC_DRIVE_CAPTION, L"C:\\(" + std::wstring(label) + L")"}, {IDC_FILE_SYSTEM, fs},
        {IDC_SERIAL_NUMBER, fx::Format(L"%04X-%04X", unsigned(serial >> 16), unsigned(serial & 0xFFFF))},
        {IDC_MAX_NAME_LENGTH, std::to_wstring(maxLength)}, {IDC_SECTORS_PER_CLUSTER, std::to_wstring(sectors)},
        {IDC_BYTES_PER_SECTOR, std::to_wstring(bytes)}, {IDC_CLUSTERS, std::to_wstring(clusters)}};
    for (const auto& [id, text] : shown)
        EXPECT_EQ(Text(id), text) << id;
    for (const auto& [bit, box] : kFlagBoxes)
        EXPECT_EQ(Send(box, BM_GETCHECK), (flags & bit) ? BST_CHECKED : BST_UNCHECKED) << box;
    EXPECT_NE(DriveIcon(), nullptr);
    EXPECT_TRUE(m_boxes.shown.empty());
    Choose(kCdRom);
    EXPECT_FALSE(Enabled(IDC_LABEL)); // an optical disc's label cannot be changed
    // A root no entry matches (a share) names the caption and title itself.
    Send(IDC_DRIVE_LIST, CB_SETCURSEL, static_cast<WPARAM>(-1));
    dovrin::DriveFigures figures;
    figures.label = L"R&D";
    figures.sizes.totalClusters = 4294967295u;
    figures.sizes.freeClusters = 2;
    m_dialog.ShowDrive(L"\\\\server\\share\\", figures);
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"\\\\server\\share\\(R&D)");
    EXPECT_EQ(Title(), L"Dovrin->Drive \\\\server\\share");
    EXPECT_EQ(Text(IDC_CLUSTERS), L"4294967295");
    EXPECT_EQ(Text(IDC_CLUSTERS_FREE), L"2");
    for (const auto& [bit, box] : kFlagBoxes) {
        figures.flags = bit | FILE_PERSISTENT_ACLS; // a flag no box shows
        m_dialog.ShowDrive(L"C:\\", figures);
        for (const auto& [otherBit, otherBox] : kFlagBoxes)
            EXPECT_EQ(Send(otherBox, BM_GETCHECK), otherBit == bit ? BST_CHECKED : BST_UNCHECKED) << bit;
    }
    // The bar truncates, the text rounds; a drive of size 0 or free above total: none used. The label field
    // takes what the file system keeps.
    const struct { uint64_t total, free; const wchar_t *percent, *fs; int bar, max; uint64_t used; } cases[] = {
        {3, 2, L"33.33%", L"FAT32", 33, 11, 1}, {3, 1, L"66.67%", L"fat", 66, 11, 2},
        {200, 1, L"99.50%", L"exFAT", 99, 11, 199}, {100, 0, L"100.00%", L"NTFS", 100, 32, 100},
        {5ull << 40, 1ull << 40, L"80.00%", L"UDF", 80, 126, 4ull << 40},
        {0, 0, L"0.00%", L"Other", 0, 32, 0}, {10, 20, L"0.00%", L"", 0, 32, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.total - c.free << " of " << c.total << " on " << c.fs);
        figures.sizes.totalBytes = c.total;
        figures.sizes.freeBytes = c.free;
        figures.fileSystem = c.fs;
        m_dialog.ShowDrive(L"C:\\", figures);
        EXPECT_EQ(Text(IDC_PERCENT_USED), c.percent);
        EXPECT_EQ(Send(IDC_USAGE_BAR, PBM_GETPOS), c.bar);
        EXPECT_EQ(Text(IDC_USED), units.GetUnitSize(c.used));
        EXPECT_EQ(Send(IDC_LABEL, EM_GETLIMITTEXT), c.max);
    }
}

// Whatever another program left on the clipboard, Dovrin starts on the drive of the list's first full path
// when there is one, else on the current folder's, and takes a list off the clipboard only when it read it.
// A start drive that cannot be read is reported and ends the program.
TEST_F(DovrinTest, TheStartDriveIsTheFirstPathsElseTheCurrentFoldersAndOneThatCannotBeReadEndsTheProgram)
{
    const std::wstring h = kFixed, longName(300, L'x'); // read whole: no 260-character limit
    ::SetCurrentDirectoryW(h.c_str());
    struct Case { std::string what; std::function<void()> put; std::wstring root; bool taken; };
    std::vector<Case> cases = {
        {"first path's root", [&] { PutDropListOnClipboard({L"C:\\" + longName, L"D:\\d"}); }, L"C:\\", true},
        {"kept lower-case", [] { PutAnsiDropListOnClipboard({"d:\\folder\\file.txt"}); }, L"d:\\", true},
        {"a share's whole root", [] { PutDropListOnClipboard({L"\\\\server\\share\\f"}); },
         L"\\\\server\\share\\", true},
        {"a first path naming no file", [] { PutDropListOnClipboard({L"NUL", L"D:\\d.txt"}); }, h, true},
        {"text, no list", [] { PutTextOnClipboard(L"C:\\not a file list.txt"); }, h, false},
        {"an empty list", [] { PutDropListOnClipboard({}); }, h, true},
        {"nothing at all", [] {}, h, true},
    };
    for (const HostileDropList& list : HostileDropLists())
        cases.push_back({list.what, [list] { PutRawDropListOnClipboard(list.bytes, list.allocation); },
                         list.namesDriveC ? L"C:\\" : h,
                         ParseDropFiles(list.bytes.data(), list.bytes.size()).has_value()});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.put();
        m_app.TakeStartDrive();
        EXPECT_EQ(m_app.DriveRoot(), c.root);
        EXPECT_EQ(ClipboardIsEmpty(), c.taken);
    }
    VanishedDrive gone; // a removable drive without its medium answers for its volume, not for its sizes
    for (const std::wstring& root : {kDangling, kVanishing, std::wstring(L"\\\\nosuchserver\\share\\")}) {
        SCOPED_TRACE(testing::PrintToString(root));
        m_boxes.shown.clear();
        m_app.SetDriveRoot(root);
        // Modal; should the dialog stay, its loop ends after a while instead of waiting for a person.
        const UINT_PTR limit = ::SetTimer(nullptr, 0, 20000, [](HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(0); });
        EXPECT_EQ(dovrin::CDriveInfoDlg(m_app).DoModal(), 0);
        ::KillTimer(nullptr, limit);
        ASSERT_EQ(m_boxes.shown.size(), 1u);
        EXPECT_EQ(m_boxes.shown[0].caption + L"|" + m_boxes.shown[0].text, L"Error|Not Reading Drive " + root);
        EXPECT_EQ(m_boxes.shown[0].type, static_cast<UINT>(MB_OK));
    }
    m_app.SetDriveRoot(L"C:\\"); // closing waits for no drive still being asked
    HeldDrives held{kRamDisk}; // let go a minute on at the latest: late, not hung
    {
        dovrin::CDriveInfoDlg dialog(m_app);
        EXPECT_TRUE(dialog.Create(nullptr));
        EXPECT_TRUE(held.WaitUntilAsked(kRamDisk));
        dialog.DestroyWindow();
    }
    EXPECT_EQ(held.Passed(), 0);
}

// The real Dovrin.exe, started through the launcher as the shell integration does.
TEST(EndToEnd, LauncherHandsAPathOnDriveCToDovrin)
{
    TempDir temp;
    const std::wstring file = temp.MakeFile(L"on drive c.txt");
    PutTextOnClipboard(L"the user's text");
    LaunchedProgram dovrin(DOVRIN_EXE, {file});
    HWND dialog = dovrin.WaitForWindow(L"#32770", L"Dovrin->Drive C");
    ASSERT_NE(dialog, nullptr);
    // Dovrin took the selection; the launcher gave the user's text back.
    EXPECT_TRUE(dovrin.WaitUntil([] { return ClipboardText() == L"the user's text"; }));
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(dovrin.WaitForExit(), 0u);
}

} // namespace
