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
    // current: the current folder at the start; root: the start drive; taken: the clipboard is empty after
    struct Case { std::string what; std::function<void()> put; std::wstring current, root; bool taken; };
    std::vector<Case> cases = {
        {"first path's root", [&] { PutDropListOnClipboard({L"H:\\" + longName + L"\\f.txt", L"C:\\c.txt"}); },
         L"C:\\", L"H:\\", true},
        {"kept lower-case", [] { PutAnsiDropListOnClipboard({"d:\\folder\\file.txt"}); }, h, L"d:\\", true},
        {"a share's whole root", [] { PutDropListOnClipboard({L"\\\\server\\share\\dir\\f.txt"}); }, h,
         L"\\\\server\\share\\", true},
        {"a device", [] { PutDropListOnClipboard({L"NUL"}); }, h, h, true},
        {"a relative path", [] { PutDropListOnClipboard({L"relative.txt"}); }, h, h, true},
        {"a wildcard", [] { PutDropListOnClipboard({L"D:\\*.txt"}); }, h, h, true},
        {"text, no list", [] { PutTextOnClipboard(L"C:\\not a file list.txt"); }, h, h, false},
        {"an empty list", [] { PutDropListOnClipboard({}); }, L"C:\\", L"C:\\", true},
        {"nothing at all", [] {}, h, h, true},
    };
    const std::vector<HostileDropList> hostile = HostileDropLists();
    for (const HostileDropList& list : hostile)
        cases.push_back({list.what, [&list] { PutRawDropListOnClipboard(list.bytes, list.allocation); }, h,
                         list.namesDriveC ? L"C:\\" : h,
                         ParseDropFiles(list.bytes.data(), list.bytes.size()).has_value()});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ::SetCurrentDirectoryW(c.current.c_str());
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
    ASSERT_EQ(file.substr(0, 3), L"C:\\");
    PutTextOnClipboard(L"the user's text");
    LaunchedProgram dovrin(DOVRIN_EXE, {file});
    ASSERT_TRUE(dovrin.Started());
    HWND dialog = dovrin.WaitForWindow(L"#32770", L"Dovrin->Drive C");
    ASSERT_NE(dialog, nullptr);
    // Dovrin took the selection; the launcher gave the user's text back.
    EXPECT_TRUE(dovrin.WaitUntil([] { return ClipboardText() == L"the user's text"; }));
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(dovrin.WaitForExit(), 0u);
}

} // namespace
