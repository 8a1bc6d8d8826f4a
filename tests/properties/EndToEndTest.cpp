// Starts the real Fennix.exe through the launcher, as the shell integration does.
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace testing_support;

TEST(EndToEnd, LauncherHandsTwoPathsToFennix)
{
    TempDir temp;
    std::wstring a = temp.MakeFile(L"first.txt"), b = temp.MakeFile(L"second file.txt");
    LaunchedProgram fennix(FENNIX_EXE, {a, b});
    ASSERT_TRUE(fennix.Started());
    HWND frame = fennix.WaitForWindow(L"fx.Frame", L"Property Sheet");
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(ClipboardIsEmpty());
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(fennix.WaitForExit(), 0u);
}

} // namespace
