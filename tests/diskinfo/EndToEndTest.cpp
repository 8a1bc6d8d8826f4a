// Starts the real Dovrin.exe through the launcher, as the shell integration does.
#include "tests/diskinfo/DovrinFixture.h"

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
