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
    EXPECT_EQ(StoredInt(L"FAVS"), 6u);
    EXPECT_EQ(StoredInt(L"CHECK"), 1u);
    EXPECT_EQ(StoredInt(L"AVAILABLE"), 1u);
    EXPECT_EQ(StoredString(L"FAV0").rfind(L"Windows Directory,", 0), 0u);
}

TEST_F(LarkwayTest, TheOptionsSheetOfTheRunningProgramOrdersTheFavouritesOfTheNextRun)
{
    const std::wstring one = m_temp.MakeFolder(L"one"), two = m_temp.MakeFolder(L"two");
    const std::wstring three = m_temp.MakeFolder(L"three");
    WriteFavorites({L"one," + one, L"two," + two, L"three," + three});
    LaunchedProgram larkway(LARKWAY_EXE, {m_temp.MakeFile(L"item.txt")});
    ASSERT_TRUE(larkway.Started());
    HWND picker = larkway.WaitForWindow(FindDestinationPicker);
    ASSERT_NE(picker, nullptr);
    ::PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
    HWND dialog = larkway.WaitForWindow(L"#32770", L"Larkway");
    ASSERT_NE(dialog, nullptr);

    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(ID_VIEW_OPTIONS, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, ID_VIEW_OPTIONS)));
    HWND sheet = larkway.WaitForWindow(L"#32770", L"Options");
    ASSERT_NE(sheet, nullptr);
    ::SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
    HWND page = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    HWND list = ::GetDlgItem(page, IDC_FAVORITE_LIST);
    ASSERT_EQ(ListView_GetItemCount(list), 3);
    // Home selects the first row; Up sends it to the end; it is renamed there.
    ::PostMessageW(list, WM_KEYDOWN, VK_HOME, 0);
    ASSERT_NE(larkway.WaitForWindow([list] { return ListView_GetNextItem(list, -1, LVNI_SELECTED) == 0 ? list : nullptr; }),
              nullptr);
    ::SendMessageW(::GetDlgItem(page, IDC_MOVE_UP), BM_CLICK, 0, 0);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 2);
    ::SendMessageW(::GetDlgItem(page, IDC_FAVORITE_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"uno"));
    ::SendMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    ASSERT_NE(larkway.WaitForWindow([sheet, dialog] { return ::IsWindow(sheet) ? nullptr : dialog; }), nullptr);

    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(larkway.WaitForExit(), 0u);
    EXPECT_EQ(StoredInt(L"AVAILABLE"), 3u);
    EXPECT_EQ(StoredString(L"FAV0"), L"two," + two);
    EXPECT_EQ(StoredString(L"FAV1"), L"three," + three);
    EXPECT_EQ(StoredString(L"FAV2"), L"uno," + one);
}

} // namespace

} // namespace larkway
