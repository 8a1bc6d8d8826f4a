// Starts the real Fennix.exe through the launcher, as the shell integration does.
#include "common/DropList.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

using namespace testing_support;

TEST(EndToEnd, LauncherHandsTwoPathsToFennix)
{
    TempDir temp;
    std::wstring a = temp.MakeFile(L"first.txt"), b = temp.MakeFile(L"second file.txt");
    PutTextOnClipboard(L"the user's text");
    LaunchedProgram fennix(FENNIX_EXE, {a, b});
    ASSERT_TRUE(fennix.Started());
    HWND frame = fennix.WaitForWindow(L"fx.Frame", L"Property Sheet");
    ASSERT_NE(frame, nullptr);
    // Fennix took the selection; the launcher gave the user's text back.
    EXPECT_TRUE(fennix.WaitUntil([] { return ClipboardText() == L"the user's text"; }));
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(fennix.WaitForExit(), 0u);
}

// Whatever another program left on the clipboard, Fennix starts, shows only
// its About page, takes a list it can read off the clipboard and ends cleanly.
TEST(EndToEnd, HostileFileListsLeaveFennixWithNoSelection)
{
    TempDir temp;
    for (const HostileDropList& list : HostileDropLists()) {
        SCOPED_TRACE(list.what);
        PutRawDropListOnClipboard(list.bytes, list.allocation);
        LaunchedProgram fennix(LaunchedProgram::Directly(temp.Path().wstring()), FENNIX_EXE);
        ASSERT_TRUE(fennix.Started());
        HWND frame = fennix.WaitForWindow(L"fx.Frame", L"Property Sheet");
        ASSERT_NE(frame, nullptr);
        HWND sheet = ::GetWindow(frame, GW_CHILD);
        HWND tabs = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
        EXPECT_EQ(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 1);
        // Only a list it could read is taken off.
        EXPECT_EQ(ClipboardIsEmpty(), ParseDropFiles(list.bytes.data(), list.bytes.size()).has_value());
        ::PostMessageW(frame, WM_CLOSE, 0, 0);
        EXPECT_EQ(fennix.WaitForExit(), 0u);
    }
}

} // namespace
