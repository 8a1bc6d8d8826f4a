// Dovrin's drive dialog at the DPI of the run (tests/CMakeLists.txt runs
// these at 96 and again at 144 DPI): every text fits its control, and what
// the dialog sizes itself is sized for the DPI.
#include "tests/diskinfo/DovrinFixture.h"
#include "tests/support/DpiChecks.h"

namespace {

using namespace testing_support;
using DovrinDpiTest = DovrinTest;

TEST_F(DovrinDpiTest, TextsFitAndIconsAreSizedForTheDpi)
{
    const std::vector<std::wstring> none;
    EXPECT_EQ(IconsWithoutSizes({16, 24, 32, 48}), none);
    Start(L"C:\\");
    EXPECT_EQ(::GetDpiForWindow(Dialog()), IntendedDpi());
    EXPECT_EQ(ClippedTexts(Dialog()), none);
    EXPECT_EQ(IconButtonsNotSizedFor(Dialog(), {IDC_ABOUT, IDOK, IDC_APPLY}, 32), none);
    int width = 0, height = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(Send(IDC_DRIVE_LIST, CBEM_GETIMAGELIST)), &width,
                                        &height));
    EXPECT_EQ(width, AtWindowDpi(Dialog(), 16));
    EXPECT_EQ(height, AtWindowDpi(Dialog(), 16));
}

} // namespace
