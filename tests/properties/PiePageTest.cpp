#include "properties/PieShares.h"
#include "tests/properties/FennixFixture.h"
#include "tests/properties/PiePixels.h"

#include <array>
#include <tuple>

using namespace fennix;

namespace {

using namespace pie_pixels;

TEST(PieShares, DivideTheDriveIntoFourSlicesOfAWholeTurn)
{
    const uint64_t TB = 1ull << 40, GB = 1ull << 30;
    // The drive's total and free space, the folder's total, the selection; the slices' degrees.
    const std::tuple<const char*, uint64_t, uint64_t, uint64_t, uint64_t, std::array<int, 4>> cases[] = {
        {"a small drive, truncation lost to free", 1000, 400, 100, 20, {180, 145, 28, 7}},
        {"nothing selected", 1000, 400, 100, 0, {180, 144, 36, 0}},
        {"the whole folder selected", 1000, 400, 100, 100, {180, 144, 0, 36}},
        {"a selection above the folder total", 1000, 400, 100, 300, {180, 72, 0, 108}},
        {"a folder total above the used space", 1000, 400, 700, 100, {0, 108, 216, 36}},
        {"a drive of 2 TB", 2 * TB, 512 * GB, 256 * GB, 128 * GB, {225, 91, 22, 22}},
        {"items beyond the whole drive", 1000, 400, 5000, 3000, {0, 0, 0, 360}},
    };
    for (const auto& [what, driveTotal, driveFree, folderTotal, selected, degrees] : cases) {
        const SPieShares s = ComputePieShares(driveTotal, driveFree, folderTotal, selected);
        EXPECT_EQ((std::array<int, 4>{s.others, s.free, s.total, s.selected}), degrees) << what;
    }
}

using Slice = std::tuple<std::wstring, COLORREF, COLORREF, int>; // label, fill, text, degrees

class PiePageTest : public FennixTest {
protected:
    void SetUp() override
    {
        FennixTest::SetUp();
        Open({});
        ULARGE_INTEGER freeToCaller{}, total{};
        ASSERT_TRUE(::GetDiskFreeSpaceExW(L"C:\\", &freeToCaller, &total, nullptr));
        m_total = total.QuadPart;
        m_used = total.QuadPart - freeToCaller.QuadPart;
    }
    int Degrees(uint64_t part) const { return static_cast<int>(static_cast<double>(part) / m_total * 360.0); }
    // Shows the page anew with these figures, as the folder page does; each wide slice shows its fill colour.
    std::vector<Slice> ShowPie(uint64_t folderTotal, uint64_t selected, const std::wstring& root)
    {
        Sheet()->SetActivePage(0);
        Sheet()->RemovePage(1);
        CPiePage& page = Sheet()->PiePage();
        page.SetSelectedSize(selected);
        page.SetFolderTotal(folderTotal);
        page.SetDrivePath(root);
        EXPECT_TRUE(Sheet()->AddPage(&page) && Sheet()->SetActivePage(Sheet()->GetPageCount() - 1));
        testing_support::PumpMessages();
        CPieChartCtrl& chart = page.Chart();
        ::UpdateWindow(chart.m_hWnd);
        const CScreenPixels shown(chart);
        std::vector<Slice> slices;
        double angle = chart.StartAngle();
        for (const CPieSlice& s : chart.Slices()) {
            slices.emplace_back(s.m_label, s.m_fillColor, s.m_textColor, s.m_degrees);
            if (s.m_degrees >= 6) {
                EXPECT_EQ(PixelAtAngle(shown, chart.Geometry().PieRect(), angle + s.m_degrees / 2.0, 0.85), s.m_fillColor)
                    << testing::PrintToString(s.m_label);
            }
            angle += s.m_degrees;
        }
        // Every slice has its legend row, one of no size too.
        EXPECT_EQ(LegendColours(shown), (std::vector<COLORREF>{kRed, kBlue, kYellow, kGreen}));
        return slices;
    }

    uint64_t m_total = 0, m_used = 0;
};

// The chart keeps its turn between showings; a drive that cannot be read is all free.
TEST_F(PiePageTest, ChartsTheDrivesFourPartsInTheirColoursAndKeepsItsTurnBetweenShowings)
{
    const uint64_t folder = m_used / 2, selected = m_used / 4;
    std::vector<Slice> slices = ShowPie(folder, selected, L"C:\\");
    ASSERT_EQ(slices.size(), 4u);
    // Other programs' writes meanwhile may move the used part across a degree.
    const int others = std::get<3>(slices[0]), free = std::get<3>(slices[1]);
    EXPECT_NEAR(others, Degrees(m_used - folder), 1);
    EXPECT_EQ(slices, (std::vector<Slice>{{L"Others", kRed, kGreen, others}, {L"Free", kBlue, kRed, free},
                                          {L"Total", kYellow, kBlue, Degrees(folder - selected)},
                                          {L"Selected", kGreen, kMagenta, Degrees(selected)}}));
    EXPECT_EQ(others + free + Degrees(folder - selected) + Degrees(selected), 360);

    HWND chart = Sheet()->PiePage().Chart().m_hWnd;
    ::SendMessageW(chart, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 50));
    ::SendMessageW(chart, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(130, 50));
    ::SendMessageW(chart, WM_LBUTTONUP, 0, MAKELPARAM(130, 50));
    slices = ShowPie(folder, 0, L"C:\\");
    EXPECT_EQ(Sheet()->PiePage().Chart().StartAngle(), 30);
    EXPECT_EQ(std::tuple(std::get<3>(slices[2]), std::get<3>(slices[3])), std::tuple(Degrees(folder), 0));
    for (const wchar_t* root : {L"Q:\\", L""}) { // no such drive; no root given at all
        std::vector<int> degrees;
        for (const Slice& slice : ShowPie(100, 20, root))
            degrees.push_back(std::get<3>(slice));
        EXPECT_EQ(degrees, (std::vector<int>{0, 360, 0, 0})) << testing::PrintToString(std::wstring(root));
    }
}

} // namespace
