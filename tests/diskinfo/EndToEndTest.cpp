// Starts the real Dovrin.exe through the launcher, as the shell integration does.
#include "tests/diskinfo/DovrinFixture.h"

#include "common/DropList.h"

namespace {

using namespace testing_support;

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

namespace {

using namespace testing_support;

// Whatever another program left on the clipboard, Dovrin starts on the drive
// of the list's first path when there is one, else on the current folder's,
// takes a list it can read off the clipboard and ends cleanly.
TEST(EndToEnd, HostileFileListsLeaveDovrinOnADriveItCanName)
{
    for (const HostileDropList& list : HostileDropLists()) {
        SCOPED_TRACE(list.what);
        PutRawDropListOnClipboard(list.bytes, list.allocation);
        LaunchedProgram dovrin(LaunchedProgram::Directly(test_drives::kFixed), DOVRIN_EXE);
        ASSERT_TRUE(dovrin.Started());
        HWND dialog = dovrin.WaitForWindow(L"#32770", list.namesDriveC ? L"Dovrin->Drive C" : L"Dovrin->Drive H");
        ASSERT_NE(dialog, nullptr);
        // Only a list it could read is taken off.
        EXPECT_EQ(ClipboardIsEmpty(), ParseDropFiles(list.bytes.data(), list.bytes.size()).has_value());
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
        EXPECT_EQ(dovrin.WaitForExit(), 0u);
    }
}

} // namespace
