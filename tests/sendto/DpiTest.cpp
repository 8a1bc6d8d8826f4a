// Larkway's send dialog at the DPI of the run (tests/CMakeLists.txt runs
// these at 96 and again at 144 DPI): every text fits its control, and what
// the dialog sizes itself is sized for the DPI.
#include "tests/sendto/LarkwayFixture.h"
#include "tests/support/DpiChecks.h"

namespace larkway {

namespace {

using namespace testing_support;

const std::vector<std::wstring> kNone;

using LarkwayDpiTest = LarkwayTest;

TEST_F(LarkwayDpiTest, TextsFitAndIconsAndColumnsAreSizedForTheDpi)
{
    // The list's header shows the items' folder, as long as it is: one of
    // a usual length, whatever the test's own folders are called.
    Start({L"C:\\windows\\win.ini"}, m_temp.MakeFolder(L"Destination"));
    EXPECT_EQ(::GetDpiForWindow(Dialog()), IntendedDpi());
    EXPECT_EQ(ClippedTexts(Dialog()), kNone);
    EXPECT_EQ(IconButtonsNotSizedFor(Dialog(),
                                     {IDC_FAVORITES, IDC_BROWSE, IDC_ADD_FAVORITE, ID_VIEW_OPTIONS, IDC_COPY_MOVE,
                                      IDC_ABOUT_BUTTON, IDOK, IDCANCEL},
                                     32),
              kNone);
    for (int column = 0; column < 2; ++column)
        EXPECT_EQ(ListView_GetColumnWidth(Item(IDC_ITEM_LIST), column), AtWindowDpi(Dialog(), 100)) << column;

    // Move has a caption and an icon of its own.
    Click(IDC_COPY_MOVE);
    ASSERT_EQ(Text(IDC_COPY_MOVE), L"M&ove");
    EXPECT_EQ(ClippedTexts(Dialog()), kNone);
    EXPECT_EQ(IconButtonsNotSizedFor(Dialog(), {IDC_COPY_MOVE}, 32), kNone);
}

TEST_F(LarkwayDpiTest, EveryIconHasAnImageDrawnForEachSizeItIsShownAt)
{
    EXPECT_EQ(IconsWithoutSizes({16, 24, 32, 48}), kNone);
}

} // namespace

} // namespace larkway
