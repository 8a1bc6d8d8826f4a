// What the dialog shows of any drive's figures (those of a real one: tests/diskinfo/DriveListTest.cpp).
#include "tests/diskinfo/DovrinFixture.h"

#include "outside/pallavol/DiskInfo.h"

namespace {

using namespace dovrin;

TEST_F(DovrinTest, AShareEachFlagAndThePercentageOfUsedOverTotalShowAsGiven)
{
    Start(L"C:\\");
    // A root no entry matches (a share) names the caption and title itself.
    Send(IDC_DRIVE_LIST, CB_SETCURSEL, static_cast<WPARAM>(-1));
    DriveFigures figures;
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
            EXPECT_EQ(Checked(otherBox), otherBit == bit) << "flag " << bit << ", box " << otherBox;
    }
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
        EXPECT_EQ(Text(IDC_USED), CDiskInfo().GetUnitSize(c.used));
    }
}

TEST_F(DovrinTest, ADriveThatCannotBeReadIsReportedAndEndsTheProgram)
{
    VanishedDrive gone; // a removable drive without its medium answers for its volume, not for its sizes
    const std::wstring share = L"\\\\nosuchserver\\share\\";
    for (const std::wstring& root : {test_drives::kDangling, test_drives::kVanishing, share}) {
        SCOPED_TRACE(testing::PrintToString(root));
        m_boxes.shown.clear();
        m_app.SetDriveRoot(root);
        // Modal; should the dialog stay, its loop ends after a while instead of waiting for a person.
        const UINT_PTR limit = ::SetTimer(nullptr, 0, 20000, [](HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(0); });
        EXPECT_EQ(CDriveInfoDlg(m_app).DoModal(), 0);
        ::KillTimer(nullptr, limit);
        ASSERT_EQ(m_boxes.shown.size(), 1u);
        EXPECT_EQ(m_boxes.shown[0].text, L"Not Reading Drive " + root); // a share by its whole root
        EXPECT_EQ(m_boxes.shown[0].caption, L"Error");
        EXPECT_EQ(m_boxes.shown[0].type, static_cast<UINT>(MB_OK));
    }
}

TEST(DriveFigures, LabelLengthFollowsTheFileSystem)
{
    const std::pair<const wchar_t*, int> cases[] = {{L"FAT32", 11}, {L"fat", 11}, {L"exFAT", 11}, {L"NTFS", 32},
                                                    {L"UDF", 126}, {L"Other", 32}, {L"", 32}};
    for (const auto& [fileSystem, length] : cases)
        EXPECT_EQ(dovrin::MaxLabelLength(fileSystem), length) << testing::PrintToString(std::wstring(fileSystem));
}

} // namespace
