// The start drive: taken from the selection handed over on the clipboard.
#include "tests/diskinfo/DovrinFixture.h"

namespace {

using namespace testing_support;

class StartDriveTest : public DovrinTest {
protected:
    std::wstring StartDrive()
    {
        m_app.TakeStartDrive();
        return m_app.DriveRoot();
    }
};

TEST_F(StartDriveTest, IsTheRootOfTheFirstHandedOverPath)
{
    TempDir temp;
    const std::wstring longName(300, L'x'); // read whole: no 260-character limit
    PutDropListOnClipboard({L"H:\\" + longName + L"\\file.txt", temp.MakeFile(L"on c.txt")});
    EXPECT_EQ(StartDrive(), L"H:\\");
    EXPECT_TRUE(ClipboardIsEmpty());

    // Kept as given: a lower-case root stays lower-case.
    PutAnsiDropListOnClipboard({"d:\\folder\\file.txt"});
    EXPECT_EQ(StartDrive(), L"d:\\");
    EXPECT_TRUE(ClipboardIsEmpty());
}

TEST_F(StartDriveTest, AShareKeepsItsWholeRootAndAPathThatNamesNoFileNamesNoDrive)
{
    PutDropListOnClipboard({L"\\\\server\\share\\dir\\f.txt"});
    EXPECT_EQ(StartDrive(), L"\\\\server\\share\\");

    ::SetCurrentDirectoryW(test_drives::kFixed.c_str());
    for (const wchar_t* path : {L"NUL", L"relative.txt", L"D:\\*.txt"}) {
        PutDropListOnClipboard({path});
        EXPECT_EQ(StartDrive(), test_drives::kFixed) << testing::PrintToString(std::wstring(path));
    }
    PutRawDropListOnClipboard(DropFilesBlock(0x7FFFFFF0, true, WideBytes(std::wstring(L"D:\\a\0\0", 6))));
    EXPECT_EQ(StartDrive(), test_drives::kFixed);
    EXPECT_FALSE(ClipboardIsEmpty()); // no list was taken
}

TEST_F(StartDriveTest, WithoutAPathIsTheCurrentDirectorysRoot)
{
    TempDir temp;
    ASSERT_EQ(temp.Path().wstring().substr(0, 3), L"C:\\");

    ::SetCurrentDirectoryW(test_drives::kFixed.c_str());
    PutTextOnClipboard(L"C:\\not a file list.txt");
    EXPECT_EQ(StartDrive(), test_drives::kFixed);
    EXPECT_EQ(ClipboardText(), L"C:\\not a file list.txt");

    std::filesystem::current_path(temp.Path());
    PutDropListOnClipboard({});
    EXPECT_EQ(StartDrive(), L"C:\\");
    EXPECT_TRUE(ClipboardIsEmpty());

    ::SetCurrentDirectoryW(test_drives::kFixed.c_str());
    EXPECT_EQ(StartDrive(), test_drives::kFixed); // nothing on the clipboard at all
}

} // namespace
