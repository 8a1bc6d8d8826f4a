// Fennix at the DPI of the run (96 and 144, see tests/CMakeLists.txt): texts fit, drawings are sized for it.
#include "properties/res/resource.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/properties/FennixFixture.h"
#include "tests/support/DpiChecks.h"

#include <algorithm>

using namespace fennix;

namespace {

using namespace testing_support;

const std::vector<std::wstring> kNone;

using FennixDpiTest = FennixTest;

// On a file, then on the drop window, then on a folder dropped there.
TEST_F(FennixDpiTest, TextsFitAndIconsAndWhatFennixDrawsAreSizedForTheDpi)
{
    const auto atDpi = [this](int pixels) { return AtWindowDpi(Frame()->m_hWnd, pixels); };
    const auto expectEveryPageFits = [this] {
        for (int page = 0; page < Sheet()->GetPageCount(); ++page) {
            ASSERT_TRUE(Sheet()->SetActivePage(page));
            PumpMessages();
            EXPECT_EQ(ClippedTexts(Frame()->m_hWnd), kNone) << "page " << Sheet()->GetPage(page)->TemplateId();
        }
    };
    Open({m_temp.MakeFile(L"Quarterly figures of the north-west region.txt", "12345")});
    EXPECT_EQ(::GetDpiForWindow(Frame()->m_hWnd), IntendedDpi());
    ASSERT_EQ(Pages(), (std::vector<UINT>{IDD_ABOUT, IDD_FILE_PAGE}));
    expectEveryPageFits();
    EXPECT_EQ(IconButtonsNotSizedFor(Sheet()->FilePage().m_hWnd, {IDC_APPLY, IDOK, IDCANCEL}, 32), kNone);
    EXPECT_EQ(IconButtonsNotSizedFor(Sheet()->m_hWnd, {IDC_MINIMIZE_BUTTON}, 16), kNone);
    RECT button{};
    ::GetWindowRect(Sheet()->GetDlgItem(IDC_MINIMIZE_BUTTON), &button);
    EXPECT_EQ(button.right - button.left, atDpi(25));
    EXPECT_EQ(button.bottom - button.top, atDpi(25));
    // Every icon has an image drawn for each size it is shown at, never one scaled from another.
    EXPECT_EQ(IconsWithoutSizes({16, 24, 32, 48}), kNone);

    Click(Sheet()->GetDlgItem(IDC_MINIMIZE_BUTTON));
    CDropWindow& drop = Sheet()->DropWindow();
    ASSERT_TRUE(drop.IsWindowVisible());
    for (HICON icon : {drop.WaitingIcon(), drop.DroppedIcon()}) {
        EXPECT_EQ(IconImageSize(icon).cx, atDpi(32));
        EXPECT_EQ(IconImageSize(icon).cy, atDpi(32));
    }
    // The waiting icon's tray is drawn nearly as wide as the icon, no wider, and centred.
    ::UpdateWindow(drop.m_hWnd);
    const CScreenPixels shown(drop);
    int left = shown.Width(), right = -1;
    for (int y = 0; y < shown.Height(); ++y) {
        for (int x = 0; x < shown.Width(); ++x) {
            left = shown.At(x, y) != ::GetSysColor(COLOR_BTNFACE) ? std::min(left, x) : left;
            right = shown.At(x, y) != ::GetSysColor(COLOR_BTNFACE) ? std::max(right, x) : right;
        }
    }
    ASSERT_GE(right, left);
    EXPECT_LE(right - left + 1, atDpi(32));
    EXPECT_GT(right - left + 1, atDpi(32) * 3 / 4);
    EXPECT_NEAR(left + right + 1, shown.Width(), atDpi(32) / 4);

    m_temp.MakeFile(L"Reports\\summary.txt", "1234567");
    m_temp.MakeFile(L"Reports\\figures.csv", "12");
    DropOn(drop.m_hWnd, {(m_temp.Path() / L"Reports").wstring()});
    HWND search = Sheet()->SearchDialog().m_hWnd;
    ASSERT_TRUE(::IsWindowVisible(search));
    EXPECT_EQ(ClippedTexts(search), kNone);
    EXPECT_EQ(IconButtonsNotSizedFor(search, {IDOK, IDCANCEL}, 32), kNone);
    Click(::GetDlgItem(search, IDOK)); // the walk
    ASSERT_TRUE(PumpUntil([this] { return !Sheet()->FolderPage().IsWalking(); }));
    HWND page = Sheet()->FolderPage().m_hWnd;
    EXPECT_EQ(IconButtonsNotSizedFor(page, {IDOK, IDCANCEL}, 32), kNone);
    EXPECT_EQ(IconButtonsNotSizedFor(page, {IDC_PIE_BUTTON}, 16), kNone);
    Click(::GetDlgItem(page, IDC_PIE_BUTTON));
    ASSERT_EQ(Pages(), (std::vector<UINT>{IDD_ABOUT, IDD_FOLDER_PAGE, IDD_PIE_PAGE}));
    expectEveryPageFits();
}

} // namespace
