#include "properties/PieShares.h"
#include "tests/properties/FennixFixture.h"
#include "tests/properties/PiePixels.h"

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

using namespace fennix;

namespace {

using namespace pie_pixels;

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kMagenta = RGB(255, 0, 255);

// --- The four slices, without a window ----------------------------------------------------

std::array<int, 4> InOrder(const SPieShares& s)
{
    return {s.others, s.free, s.total, s.selected};
}

TEST(PieShares, DivideTheDriveIntoFourSlicesOfAWholeTurn)
{
    const uint64_t TB = 1ull << 40, GB = 1ull << 30;
    const struct {
        const char* what;
        uint64_t driveTotal, driveFree, folderTotal, selected;
        std::array<int, 4> othersFreeTotalSelected;
    } cases[] = {
        {"a small drive, truncation lost to free", 1000, 400, 100, 20, {180, 145, 28, 7}},
        {"nothing selected", 1000, 400, 100, 0, {180, 144, 36, 0}},
        {"the whole folder selected", 1000, 400, 100, 100, {180, 144, 0, 36}},
        {"a selection above the folder total", 1000, 400, 100, 300, {180, 72, 0, 108}},
        {"a folder total above the used space", 1000, 400, 700, 100, {0, 108, 216, 36}},
        {"a drive of 2 TB", 2 * TB, 512 * GB, 256 * GB, 128 * GB, {225, 91, 22, 22}},
        {"a drive of no size", 0, 0, 100, 20, {0, 360, 0, 0}},
        {"items beyond the whole drive", 1000, 400, 5000, 3000, {0, 0, 0, 360}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InOrder(ComputePieShares(c.driveTotal, c.driveFree, c.folderTotal, c.selected)),
                  c.othersFreeTotalSelected)
            << c.what;
}

// --- The page in Fennix's sheet -----------------------------------------------------------

struct Slice {
    std::wstring label;
    COLORREF fill, text;
    int degrees;
    bool operator==(const Slice&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Slice& s)
{
    return out << std::string(s.label.begin(), s.label.end()) << " " << s.degrees << " degrees, fill " << std::hex
               << s.fill << ", text " << s.text << std::dec;
}

// The figures of a real drive, as the page reads them.
struct DriveSpace {
    uint64_t total = 0, free = 0;
    uint64_t Used() const { return total - free; }
    int Degrees(uint64_t part) const { return static_cast<int>(static_cast<double>(part) / total * 360.0); }
};

class PiePageTest : public FennixTest {
protected:
    void SetUp() override
    {
        FennixTest::SetUp();
        {
            fx::CClipboard clipboard;
            ::EmptyClipboard();
        }
        Start();
        ULARGE_INTEGER freeToCaller{}, total{};
        ASSERT_TRUE(::GetDiskFreeSpaceExW(L"C:\\", &freeToCaller, &total, nullptr));
        m_drive = DriveSpace{total.QuadPart, freeToCaller.QuadPart};
    }

    // Hands the page its figures and shows it, as the folder page does.
    void ShowPie(uint64_t folderTotal, uint64_t selected, const std::wstring& root)
    {
        CPiePage& page = Sheet()->PiePage();
        page.SetSelectedSize(selected);
        page.SetFolderTotal(folderTotal);
        page.SetDrivePath(root);
        ASSERT_TRUE(Sheet()->AddPage(&page));
        ASSERT_TRUE(Sheet()->SetActivePage(Sheet()->GetPageCount() - 1));
        testing_support::PumpMessages();
        ASSERT_TRUE(Chart().IsWindow());
    }
    void RemovePie()
    {
        Sheet()->SetActivePage(0);
        Sheet()->RemovePage(Sheet()->GetPageCount() - 1);
        testing_support::PumpMessages();
    }
    CPieChartCtrl& Chart() { return Sheet()->PiePage().Chart(); }
    std::vector<Slice> Slices()
    {
        std::vector<Slice> slices;
        for (const CPieSlice& s : Chart().Slices())
            slices.push_back(Slice{s.m_label, s.m_fillColor, s.m_textColor, s.m_degrees});
        return slices;
    }
    CScreenPixels Shown()
    {
        ::UpdateWindow(Chart().m_hWnd);
        return CScreenPixels(Chart().m_hWnd);
    }
    // The legend's swatch colours from the top, as a column at the right edge shows them.
    static std::vector<COLORREF> LegendColours(const CScreenPixels& shown)
    {
        std::vector<COLORREF> colours;
        for (int y = 0; y < shown.Height() / 2; ++y) {
            const COLORREF c = shown.At(shown.Width() - 4, y);
            const bool swatch = c == kRed || c == kBlue || c == kYellow || c == kGreen;
            if (swatch && (colours.empty() || colours.back() != c))
                colours.push_back(c);
        }
        return colours;
    }
    // Each slice wide enough to sample shows its fill colour half-way round it.
    void ExpectSlicesShown(const CScreenPixels& shown, int startAngle)
    {
        double angle = startAngle;
        for (const Slice& slice : Slices()) {
            if (slice.degrees >= 6) {
                EXPECT_EQ(PixelAtAngle(shown, Chart().Geometry().PieRect(), angle + slice.degrees / 2.0, 0.85),
                          slice.fill)
                    << slice;
            }
            angle += slice.degrees;
        }
    }
    std::wstring TabText(int index)
    {
        HWND tab = reinterpret_cast<HWND>(Sheet()->SendMessage(PSM_GETTABCONTROL));
        wchar_t text[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        ::SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return text;
    }

    DriveSpace m_drive;
};

TEST_F(PiePageTest, ChartsTheDrivesFourPartsInTheirColours)
{
    const uint64_t folder = m_drive.Used() / 2, selected = m_drive.Used() / 4;
    ShowPie(folder, selected, L"C:\\");
    EXPECT_EQ(TabText(1), L"Pie Chart");
    std::vector<Slice> slices = Slices();
    ASSERT_EQ(slices.size(), 4u);
    // Other programs write to the drive meanwhile: its free space may move
    // the used part across a degree.
    EXPECT_NEAR(slices[0].degrees, m_drive.Degrees(m_drive.Used() - folder), 1);
    EXPECT_EQ(slices[0], (Slice{L"Others", kRed, kGreen, slices[0].degrees}));
    EXPECT_EQ(slices[1], (Slice{L"Free", kBlue, kRed, slices[1].degrees}));
    EXPECT_EQ(slices[2], (Slice{L"Total", kYellow, kBlue, m_drive.Degrees(folder - selected)}));
    EXPECT_EQ(slices[3], (Slice{L"Selected", kGreen, kMagenta, m_drive.Degrees(selected)}));
    EXPECT_EQ(slices[0].degrees + slices[1].degrees + slices[2].degrees + slices[3].degrees, 360);

    CScreenPixels shown = Shown();
    ExpectSlicesShown(shown, 0);
    EXPECT_EQ(LegendColours(shown), (std::vector<COLORREF>{kRed, kBlue, kYellow, kGreen}));
}

TEST_F(PiePageTest, EachShowingChartsItsOwnFiguresWhileTheChartKeepsItsTurn)
{
    const uint64_t folder = m_drive.Used() / 2;
    ShowPie(folder, folder / 2, L"C:\\");
    HWND chart = Chart().m_hWnd;
    ::SendMessageW(chart, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 50));
    ::SendMessageW(chart, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(130, 50));
    ::SendMessageW(chart, WM_LBUTTONUP, 0, MAKELPARAM(130, 50));
    RemovePie();

    ShowPie(folder, 0, L"C:\\");
    EXPECT_EQ(Chart().StartAngle(), 30);
    std::vector<Slice> slices = Slices();
    ASSERT_EQ(slices.size(), 4u);
    EXPECT_EQ(slices[2].degrees, m_drive.Degrees(folder));
    EXPECT_EQ(slices[3].label, L"Selected");
    EXPECT_EQ(slices[3].degrees, 0);
    CScreenPixels shown = Shown();
    ExpectSlicesShown(shown, 30);
    // Nothing selected still has its legend row.
    EXPECT_EQ(LegendColours(shown), (std::vector<COLORREF>{kRed, kBlue, kYellow, kGreen}));
}

TEST_F(PiePageTest, ADriveThatCannotBeReadIsAllFree)
{
    for (const wchar_t* root : {L"Q:\\", L""}) { // no such drive; no root given at all
        SCOPED_TRACE(testing::Message() << "root \"" << std::string(root, root + wcslen(root)) << "\"");
        ShowPie(100, 20, root);
        std::vector<int> degrees;
        for (const Slice& slice : Slices())
            degrees.push_back(slice.degrees);
        EXPECT_EQ(degrees, (std::vector<int>{0, 360, 0, 0}));
        CScreenPixels shown = Shown();
        const RECT pie = Chart().Geometry().PieRect();
        for (double angle : {45.0, 135.0, 225.0, 315.0})
            EXPECT_EQ(PixelAtAngle(shown, pie, angle, 0.85), kBlue) << angle;
        // "100%" in Free's red at the bottom, half-way round the turn.
        const POINT anchor = Chart().Geometry().AngleToPoint(180, true);
        EXPECT_GT(shown.Count(RECT{anchor.x - 20, anchor.y - 8, anchor.x + 20, anchor.y + 8},
                              [](COLORREF c) { return GetRValue(c) > 128; }),
                  5);
        EXPECT_EQ(LegendColours(shown), (std::vector<COLORREF>{kRed, kBlue, kYellow, kGreen}));
        RemovePie();
    }
}

} // namespace
