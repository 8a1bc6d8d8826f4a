// The start drive: taken from the selection handed over on the clipboard, by the real program too.
#include "tests/diskinfo/DovrinFixture.h"

#include "common/DropList.h"

namespace {

using namespace testing_support;

// Whatever another program left on the clipboard, Dovrin starts on the drive of the list's first full path
// when there is one, else on the current folder's, and takes a list off the clipboard only when it read it.
TEST_F(DovrinTest, StartDriveIsTheRootOfTheFirstHandedOverPathElseOfTheCurrentFolder)
{
    const std::wstring h = test_drives::kFixed, longName(300, L'x'); // read whole: no 260-character limit
    ::SetCurrentDirectoryW(h.c_str());
    struct Case { std::string what; std::function<void()> put; std::wstring root; bool taken; };
    std::vector<Case> cases = {
        {"first path's root", [&] { PutDropListOnClipboard({L"C:\\" + longName, L"D:\\d"}); }, L"C:\\", true},
        {"kept lower-case", [] { PutAnsiDropListOnClipboard({"d:\\folder\\file.txt"}); }, L"d:\\", true},
        {"a share's whole root", [] { PutDropListOnClipboard({L"\\\\server\\share\\f"}); },
         L"\\\\server\\share\\", true},
        {"a first path naming no file", [] { PutDropListOnClipboard({L"NUL", L"D:\\d.txt"}); }, h, true},
        {"text, no list", [] { PutTextOnClipboard(L"C:\\not a file list.txt"); }, h, false},
        {"an empty list", [] { PutDropListOnClipboard({}); }, h, true},
        {"nothing at all", [] {}, h, true},
    };
    for (const HostileDropList& list : HostileDropLists())
        cases.push_back({list.what, [list] { PutRawDropListOnClipboard(list.bytes, list.allocation); },
                         list.namesDriveC ? L"C:\\" : h,
                         ParseDropFiles(list.bytes.data(), list.bytes.size()).has_value()});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.put();
        m_app.TakeStartDrive();
        EXPECT_EQ(m_app.DriveRoot(), c.root);
        EXPECT_EQ(ClipboardIsEmpty(), c.taken);
    }
}

// The real Dovrin.exe, started through the launcher as the shell integration does.
TEST(EndToEnd, LauncherHandsAPathOnDriveCToDovrin)
{
    TempDir temp;
    const std::wstring file = temp.MakeFile(L"on drive c.txt");
    PutTextOnClipboard(L"the user's text");
    LaunchedProgram dovrin(DOVRIN_EXE, {file});
    HWND dialog = dovrin.WaitForWindow(L"#32770", L"Dovrin->Drive C");
    ASSERT_NE(dialog, nullptr);
    // Dovrin took the selection; the launcher gave the user's text back.
    EXPECT_TRUE(dovrin.WaitUntil([] { return ClipboardText() == L"the user's text"; }));
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(dovrin.WaitForExit(), 0u);
}

} // namespace
