// What the dialog shows of a drive: the figures, the percentage bar, the
// flags, the caption and the title.
#include "tests/diskinfo/DovrinFixture.h"

#include "framework/Format.h"
#include "outside/pallavol/DiskInfo.h"

namespace {

using namespace dovrin;

// Each flag and the box that shows it.
const std::pair<DWORD, int> kFlagBoxes[] = {
    {0x1, IDC_CASE_SENSITIVE}, {0x2, IDC_PRESERVES_CASE}, {0x4, IDC_UNICODE_NAMES},
    {0x10, IDC_FILE_COMPRESSION}, {0x8000, IDC_VOLUME_COMPRESSED},
};

TEST_F(DovrinTest, DriveCShowsThePlatformsFigures)
{
    wchar_t label[MAX_PATH + 1] = L"", fileSystem[MAX_PATH + 1] = L"";
    DWORD serial = 0, maxLength = 0, flags = 0, sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0,
          clusters = 0;
    ASSERT_TRUE(::GetVolumeInformationW(L"C:\\", label, MAX_PATH + 1, &serial, &maxLength, &flags, fileSystem,
                                        MAX_PATH + 1));
    ASSERT_TRUE(::GetDiskFreeSpaceW(L"C:\\", &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters));
    ULARGE_INTEGER before{}, total{}, after{};
    ASSERT_TRUE(::GetDiskFreeSpaceExW(L"C:\\", &before, &total, nullptr));
    Start(L"C:\\");
    ASSERT_TRUE(::GetDiskFreeSpaceExW(L"C:\\", &after, &total, nullptr));
    // Free to the user. Other programs write to the disk meanwhile: the
    // dialog's reading is the one before or the one after.
    const CDiskInfo units;
    EXPECT_TRUE(Text(IDC_FREE) == units.GetUnitSize(before.QuadPart) || Text(IDC_FREE) == units.GetUnitSize(after.QuadPart))
        << testing::PrintToString(Text(IDC_FREE));

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
    EXPECT_EQ(Text(IDC_TOTAL), units.GetUnitSize(total.QuadPart));
    EXPECT_NE(DriveIcon(), nullptr);
    EXPECT_TRUE(Enabled(IDC_LABEL));
    EXPECT_FALSE(Enabled(IDC_APPLY));
}

TEST_F(DovrinTest, AShareEachFlagAndThePercentageOfUsedOverTotalShowAsGiven)
{
    Start(L"C:\\");
    // A root no entry matches (a share) names the caption and title itself.
    Send(IDC_DRIVE_LIST, CB_SETCURSEL, static_cast<WPARAM>(-1));
    DriveFigures figures;
    figures.type = L"RAM Disk";
    figures.label = L"R&D";
    figures.sizes.totalClusters = 4294967295u;
    figures.sizes.freeClusters = 2;
    m_dialog.ShowDrive(L"\\\\server\\share\\", figures);
    EXPECT_EQ(Text(IDC_TYPE), L"RAM Disk");
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"\\\\server\\share\\(R&D)");
    EXPECT_EQ(Title(), L"Dovrin->Drive \\\\server\\share");
    EXPECT_EQ(Text(IDC_CLUSTERS), L"4294967295");
    EXPECT_EQ(Text(IDC_CLUSTERS_FREE), L"2");

    for (const auto& [bit, box] : kFlagBoxes) {
        figures.flags = bit | FILE_PERSISTENT_ACLS; // a flag no box shows
        m_dialog.ShowDrive(L"C:\\", figures);
        for (const auto& [otherBit, otherBox] : kFlagBoxes)
            EXPECT_EQ(Checked(otherBox), otherBit == bit) << "flag " << bit << ", box " << otherBox;
    }

    const CDiskInfo units;
    const struct {
        uint64_t total, free;
        const wchar_t* percent;
        int bar;
        uint64_t used;
    } cases[] = {
        {3, 2, L"33.33%", 33, 1},
        {3, 1, L"66.67%", 66, 2}, // the bar truncates, the text rounds
        {200, 1, L"99.50%", 99, 199},
        {100, 0, L"100.00%", 100, 100},
        {0, 0, L"0.00%", 0, 0},   // a drive of size 0
        {10, 20, L"0.00%", 0, 0}, // free above total: nothing counts as used
        {5ull << 40, 1ull << 40, L"80.00%", 80, 4ull << 40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.total - c.free << " of " << c.total);
        figures.sizes.totalBytes = c.total;
        figures.sizes.freeBytes = c.free;
        m_dialog.ShowDrive(L"C:\\", figures);
        EXPECT_EQ(Text(IDC_PERCENT_USED), c.percent);
        EXPECT_EQ(BarPosition(), c.bar);
        EXPECT_EQ(Text(IDC_USED), units.GetUnitSize(c.used));
    }
}

TEST_F(DovrinTest, ADriveThatCannotBeReadIsReportedAndEndsTheProgram)
{
    // A removable drive without its medium answers for its volume, not for its sizes.
    VanishedDrive gone;
    for (const std::wstring& root : {test_drives::kDangling, test_drives::kVanishing, std::wstring(L"\\\\nosuchserver\\share\\")}) {
        SCOPED_TRACE(testing::PrintToString(root));
        m_boxes.shown.clear();
        EXPECT_EQ(RunOnUnreadable(root), 0);
        ASSERT_EQ(m_boxes.shown.size(), 1u);
        EXPECT_EQ(m_boxes.shown[0].text, L"Not Reading Drive " + root); // a share by its whole root
        EXPECT_EQ(m_boxes.shown[0].caption, L"Error");
        EXPECT_EQ(m_boxes.shown[0].type, static_cast<UINT>(MB_OK));
    }
}

TEST(DriveFigures, LabelLengthFollowsTheFileSystem)
{
    const std::pair<const wchar_t*, int> cases[] = {{L"FAT32", 11}, {L"fat", 11},  {L"exFAT", 11}, {L"NTFS", 32},
                                                    {L"UDF", 126},  {L"Other", 32}, {L"", 32}};
    for (const auto& [fileSystem, length] : cases)
        EXPECT_EQ(dovrin::MaxLabelLength(fileSystem), length) << testing::PrintToString(std::wstring(fileSystem));
}

} // namespace
