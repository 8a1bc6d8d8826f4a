// What the dialog shows of a drive: the figures, the percentage bar, the
// flags, the caption and the title.
#include "tests/diskinfo/DovrinFixture.h"

#include "framework/Format.h"
#include "outside/pallavol/DiskInfo.h"

#include <utility>

namespace {

using namespace testing_support;
using namespace dovrin;

// Each flag and the box that shows it.
const std::pair<DWORD, int> kFlagBoxes[] = {
    {0x1, IDC_CASE_SENSITIVE}, {0x2, IDC_PRESERVES_CASE}, {0x4, IDC_UNICODE_NAMES},
    {0x10, IDC_FILE_COMPRESSION}, {0x8000, IDC_VOLUME_COMPRESSED},
};

struct Usage {
    std::wstring percent;
    int bar;
};

// The platform's own reading of a drive's use.
Usage PlatformUsage(const wchar_t* root)
{
    ULARGE_INTEGER available{}, total{}, free{};
    EXPECT_TRUE(::GetDiskFreeSpaceExW(root, &available, &total, &free));
    const double used = static_cast<double>(total.QuadPart - free.QuadPart);
    const double percent = used * 100.0 / static_cast<double>(total.QuadPart);
    return {fx::Format(L"%.2f%%", percent), static_cast<int>(percent)};
}

DriveFigures FixedDrive()
{
    DriveFigures figures;
    figures.type = L"Fixed Drive";
    return figures;
}

TEST_F(DovrinTest, DriveCShowsThePlatformsFigures)
{
    const Usage before = PlatformUsage(L"C:\\");
    Start(L"C:\\");
    const Usage after = PlatformUsage(L"C:\\");

    // Other programs write to the disk meanwhile: the dialog's one reading
    // is the one before or the one after, in the text and the bar alike.
    const std::wstring percent = Text(IDC_PERCENT_USED);
    ASSERT_TRUE(percent == before.percent || percent == after.percent) << testing::PrintToString(percent);
    EXPECT_EQ(BarPosition(), percent == before.percent ? before.bar : after.bar);

    wchar_t label[MAX_PATH + 1] = L"", fileSystem[MAX_PATH + 1] = L"";
    DWORD serial = 0, maxLength = 0, flags = 0;
    ASSERT_TRUE(::GetVolumeInformationW(L"C:\\", label, MAX_PATH + 1, &serial, &maxLength, &flags, fileSystem,
                                        MAX_PATH + 1));
    EXPECT_EQ(Text(IDC_LABEL), label);
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"C:\\(" + std::wstring(label) + L")");
    EXPECT_EQ(Title(), L"Dovrin->Drive C");
    EXPECT_EQ(Text(IDC_FILE_SYSTEM), fileSystem);
    EXPECT_EQ(Text(IDC_MAX_NAME_LENGTH), std::to_wstring(maxLength));
    // The serial as two groups of four upper-case hex digits, high word first.
    EXPECT_EQ(Text(IDC_SERIAL_NUMBER), fx::Format(L"%04X-%04X", static_cast<unsigned>(serial >> 16), static_cast<unsigned>(serial & 0xFFFF)));
    for (const auto& [bit, box] : kFlagBoxes) {
        EXPECT_EQ(Checked(box), (flags & bit) != 0) << box;
        EXPECT_FALSE(Enabled(box)) << box << ": the flags only show";
    }

    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    ASSERT_TRUE(::GetDiskFreeSpaceW(L"C:\\", &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters));
    EXPECT_EQ(Text(IDC_SECTORS_PER_CLUSTER), std::to_wstring(sectorsPerCluster));
    EXPECT_EQ(Text(IDC_BYTES_PER_SECTOR), std::to_wstring(bytesPerSector));
    EXPECT_EQ(Text(IDC_CLUSTERS), std::to_wstring(totalClusters));
    ULARGE_INTEGER available{}, total{};
    ASSERT_TRUE(::GetDiskFreeSpaceExW(L"C:\\", &available, &total, nullptr));
    EXPECT_EQ(Text(IDC_TOTAL), CDiskInfo().GetUnitSize(total.QuadPart));

    EXPECT_NE(DriveIcon(), nullptr);
    EXPECT_TRUE(Enabled(IDC_LABEL));
    EXPECT_FALSE(Enabled(IDC_APPLY));
}

TEST_F(DovrinTest, PercentageAndBarFollowUsedOverTotal)
{
    Start(L"C:\\");
    const CDiskInfo units;
    struct Case {
        uint64_t total, free;
        const wchar_t* percent;
        int bar;
        uint64_t used;
    };
    const Case cases[] = {
        {100, 75, L"25.00%", 25, 25},
        {3, 2, L"33.33%", 33, 1},
        {3, 1, L"66.67%", 66, 2},     // the bar truncates, the text rounds
        {200, 1, L"99.50%", 99, 199},
        {100, 0, L"100.00%", 100, 100},
        {0, 0, L"0.00%", 0, 0},       // a drive of size 0
        {10, 20, L"0.00%", 0, 0},     // free above total: nothing counts as used
        {5ull << 40, 1ull << 40, L"80.00%", 80, 4ull << 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.total - c.free << " of " << c.total);
        DriveFigures figures = FixedDrive();
        figures.sizes.totalBytes = c.total;
        figures.sizes.freeBytes = c.free;
        m_dialog.ShowDrive(L"C:\\", figures);
        EXPECT_EQ(Text(IDC_PERCENT_USED), c.percent);
        EXPECT_EQ(BarPosition(), c.bar);
        EXPECT_EQ(Text(IDC_TOTAL), units.GetUnitSize(c.total));
        EXPECT_EQ(Text(IDC_FREE), units.GetUnitSize(c.free));
        EXPECT_EQ(Text(IDC_USED), units.GetUnitSize(c.used));
    }
}

TEST_F(DovrinTest, EachFigureAndFlagGoesToItsOwnField)
{
    Start(L"C:\\");
    // A root no entry matches (a share) names the caption and title itself.
    ::SendMessageW(Item(IDC_DRIVE_LIST), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    DriveFigures figures;
    figures.type = L"RAM Disk";
    figures.label = L"R&D";
    figures.serialNumber = L"1A2B-3C4D";
    figures.fileSystem = L"FAT32";
    figures.maxFileNameLength = L"127";
    figures.sizes.totalClusters = 4294967295u;
    figures.sizes.freeClusters = 2;
    figures.sizes.sectorsPerCluster = 64;
    figures.sizes.bytesPerSector = 4096;
    m_dialog.ShowDrive(L"\\\\server\\share\\", figures);

    EXPECT_EQ(Text(IDC_TYPE), L"RAM Disk");
    EXPECT_EQ(Text(IDC_LABEL), L"R&D");
    EXPECT_EQ(Text(IDC_DRIVE_CAPTION), L"\\\\server\\share\\(R&D)");
    EXPECT_EQ(Title(), L"Dovrin->Drive \\\\server\\share");
    EXPECT_EQ(Text(IDC_SERIAL_NUMBER), L"1A2B-3C4D");
    EXPECT_EQ(Text(IDC_FILE_SYSTEM), L"FAT32");
    EXPECT_EQ(Text(IDC_MAX_NAME_LENGTH), L"127");
    EXPECT_EQ(Text(IDC_CLUSTERS), L"4294967295");
    EXPECT_EQ(Text(IDC_CLUSTERS_FREE), L"2");
    EXPECT_EQ(Text(IDC_SECTORS_PER_CLUSTER), L"64");
    EXPECT_EQ(Text(IDC_BYTES_PER_SECTOR), L"4096");

    for (const auto& [bit, box] : kFlagBoxes) {
        figures.flags = bit | FILE_PERSISTENT_ACLS; // a flag no box shows
        m_dialog.ShowDrive(L"C:\\", figures);
        for (const auto& [otherBit, otherBox] : kFlagBoxes)
            EXPECT_EQ(Checked(otherBox), otherBit == bit) << "flag " << bit << ", box " << otherBox;
    }
}

TEST_F(DovrinTest, WithoutADriveTheCurrentOneShows)
{
    ::SetCurrentDirectoryW(test_drives::kFixed.c_str());
    Start(L"");
    EXPECT_EQ(Title(), L"Dovrin->Drive H");
    EXPECT_EQ(SelectedEntry(), test_drives::kFixed);
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
    EXPECT_EQ(MaxLabelLength(L"FAT32"), 11);
    EXPECT_EQ(MaxLabelLength(L"fat"), 11);
    EXPECT_EQ(MaxLabelLength(L"exFAT"), 11);
    EXPECT_EQ(MaxLabelLength(L"NTFS"), 32);
    EXPECT_EQ(MaxLabelLength(L"UDF"), 126);
    EXPECT_EQ(MaxLabelLength(L"SomethingNew"), 32);
    EXPECT_EQ(MaxLabelLength(L""), 32);
}

} // namespace
