// Starts the real Larkway.exe through the launcher, as the shell integration does.
#include "tests/sendto/LarkwayFixture.h"

#include "framework/Handle.h"

namespace larkway {

namespace {

using namespace testing_support;

// The start-up folder picker: a dialog that asks for the destination.
HWND FindDestinationPicker()
{
    HWND found = nullptr;
    ::EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            wchar_t cls[16] = L"";
            ::GetClassNameW(hwnd, cls, 16);
            if (std::wstring(cls) == L"#32770" && ::IsWindowVisible(hwnd) &&
                ::FindWindowExW(hwnd, nullptr, L"Static", L"Select Destination Folder")) {
                *reinterpret_cast<HWND*>(lp) = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST_F(LarkwayTest, LauncherHandsThreePathsToLarkway)
{
    const std::wstring a = m_temp.MakeFile(L"a.txt", "aaa"), b = m_temp.MakeFile(L"b.txt", "bb");
    const std::wstring folder = m_temp.MakeFolder(L"folder");
    PutTextOnClipboard(L"the user's text");
    LaunchedProgram larkway(LARKWAY_EXE, {a, b, folder});
    ASSERT_TRUE(larkway.Started());

    HWND picker = larkway.WaitForWindow(FindDestinationPicker);
    ASSERT_NE(picker, nullptr);
    ::PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);

    HWND dialog = larkway.WaitForWindow(L"#32770", L"Larkway");
    ASSERT_NE(dialog, nullptr);
    // Larkway took the selection; the launcher gave the user's text back.
    EXPECT_TRUE(larkway.WaitUntil([] { return ClipboardText() == L"the user's text"; }));
    HWND list = ::GetDlgItem(dialog, IDC_ITEM_LIST);
    EXPECT_NE(larkway.WaitForWindow([list] { return ListView_GetItemCount(list) == 3 ? list : nullptr; }), nullptr);

    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(larkway.WaitForExit(), 0u);
    EXPECT_EQ(Stored(L"FAVS") + Stored(L"CHECK") + Stored(L"AVAILABLE"), L"611");
    EXPECT_EQ(Stored(L"FAV0").rfind(L"Windows Directory,", 0), 0u);
}

} // namespace

} // namespace larkway
