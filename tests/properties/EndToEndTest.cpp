// Starts the real Fennix.exe through the launcher, as the shell integration does.
#include "common/DropList.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

using namespace testing_support;

// The launcher's paths reach Fennix, the user's text is given back; over hostile lists only About shows.
TEST(EndToEnd, FennixTakesTheLaunchersPathsAndSurvivesHostileFileLists)
{
    TempDir temp;
    PutTextOnClipboard(L"the user's text");
    LaunchedProgram launched(FENNIX_EXE, {temp.MakeFile(L"first.txt"), temp.MakeFile(L"second file.txt")});
    ASSERT_TRUE(launched.Started());
    HWND frame = launched.WaitForWindow(L"fx.Frame", L"Property Sheet");
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(launched.WaitUntil([] { return ClipboardText() == L"the user's text"; }));
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(launched.WaitForExit(), 0u);
    for (const HostileDropList& list : HostileDropLists()) {
        SCOPED_TRACE(list.what);
        PutRawDropListOnClipboard(list.bytes, list.allocation);
        LaunchedProgram fennix(LaunchedProgram::Directly(temp.Path().wstring()), FENNIX_EXE);
        ASSERT_TRUE(fennix.Started());
        frame = fennix.WaitForWindow(L"fx.Frame", L"Property Sheet");
        ASSERT_NE(frame, nullptr);
        HWND sheet = ::GetWindow(frame, GW_CHILD);
        HWND tabs = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
        EXPECT_EQ(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 1);
        EXPECT_EQ(ClipboardIsEmpty(), ParseDropFiles(list.bytes.data(), list.bytes.size()).has_value());
        ::PostMessageW(frame, WM_CLOSE, 0, 0);
        EXPECT_EQ(fennix.WaitForExit(), 0u);
    }
}

} // namespace
