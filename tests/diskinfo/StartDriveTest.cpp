// The start drive: taken from the selection handed over on the clipboard.
#include "tests/diskinfo/DovrinFixture.h"

#include <functional>

namespace {

using namespace testing_support;

TEST_F(DovrinTest, StartDriveIsTheRootOfTheFirstHandedOverPathElseOfTheCurrentFolder)
{
    TempDir temp;
    ASSERT_EQ(temp.Path().wstring().substr(0, 3), L"C:\\");
    const std::wstring longName(300, L'x'); // read whole: no 260-character limit
    struct Case {
        const char* what;
        std::function<void()> put;
        std::wstring current; // the current folder at the start
        std::wstring root;
        bool taken; // the clipboard is empty afterwards
    };
    const std::wstring h = test_drives::kFixed;
    const Case cases[] = {
        {"first path's root", [&] { PutDropListOnClipboard({L"H:\\" + longName + L"\\f.txt", temp.MakeFile(L"c.txt")}); },
         L"C:\\", L"H:\\", true},
        {"kept lower-case", [] { PutAnsiDropListOnClipboard({"d:\\folder\\file.txt"}); }, h, L"d:\\", true},
        {"a share's whole root", [] { PutDropListOnClipboard({L"\\\\server\\share\\dir\\f.txt"}); }, h,
         L"\\\\server\\share\\", true},
        {"a device", [] { PutDropListOnClipboard({L"NUL"}); }, h, h, true},
        {"a relative path", [] { PutDropListOnClipboard({L"relative.txt"}); }, h, h, true},
        {"a wildcard", [] { PutDropListOnClipboard({L"D:\\*.txt"}); }, h, h, true},
        {"a list past its block",
         [] { PutRawDropListOnClipboard(DropFilesBlock(0x7FFFFFF0, true, WideBytes(std::wstring(L"D:\\a\0\0", 6)))); },
         h, h, false},
        {"text, no list", [] { PutTextOnClipboard(L"C:\\not a file list.txt"); }, h, h, false},
        {"an empty list", [] { PutDropListOnClipboard({}); }, L"C:\\", L"C:\\", true},
        {"nothing at all", [] {}, h, h, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ::SetCurrentDirectoryW(c.current.c_str());
        c.put();
        m_app.TakeStartDrive();
        EXPECT_EQ(m_app.DriveRoot(), c.root);
        EXPECT_EQ(ClipboardIsEmpty(), c.taken);
    }
}

} // namespace
