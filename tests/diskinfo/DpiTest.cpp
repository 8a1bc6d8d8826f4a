// Dovrin's drive dialog at the DPI of the run (tests/CMakeLists.txt runs
// these at 96 and again at 144 DPI): every text fits its control, and what
// the dialog sizes itself is sized for the DPI.
#include "tests/diskinfo/DovrinFixture.h"
#include "tests/support/DpiChecks.h"

namespace {

using namespace testing_support;

const std::vector<std::wstring> kNone;

using DovrinDpiTest = DovrinTest;

TEST_F(DovrinDpiTest, TextsFitAndIconsAreSizedForTheDpi)
{
    Start(L"C:\\");
    EXPECT_EQ(::GetDpiForWindow(Dialog()), IntendedDpi());
    EXPECT_EQ(ClippedTexts(Dialog()), kNone);
    EXPECT_EQ(IconButtonsNotSizedFor(Dialog(), {IDC_ABOUT, IDOK, IDC_APPLY}, 32), kNone);

    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(Item(IDC_DRIVE_LIST), CBEM_GETIMAGELIST, 0, 0));
    int width = 0, height = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(images, &width, &height));
    EXPECT_EQ(width, AtWindowDpi(Dialog(), 16));
    EXPECT_EQ(height, AtWindowDpi(Dialog(), 16));
}

TEST_F(DovrinDpiTest, EveryIconHasAnImageDrawnForEachSizeItIsShownAt)
{
    EXPECT_EQ(IconsWithoutSizes({16, 24, 32, 48}), kNone);
}

} // namespace
