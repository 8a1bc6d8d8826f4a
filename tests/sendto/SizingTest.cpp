// Sizing on the worker while the user works in the dialog: closing, sending
// and the clipboard meanwhile, and trees that loop.
#include "tests/sendto/LarkwayFixture.h"

#include "framework/Handle.h"

#include <fstream>
#include <thread>

namespace {

using namespace testing_support;

// A folder of 20 subfolders with 20 files each: long enough to be busy with.
std::wstring MakeBusyTree(const TempDir& temp)
{
    for (int folder = 0; folder < 20; ++folder)
        for (int file = 0; file < 20; ++file)
            temp.MakeFile(L"busy\\" + std::to_wstring(folder) + L"\\" + std::to_wstring(file) + L".bin", "0123456789");
    return (temp.Path() / L"busy").wstring();
}

std::string FileBytes(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

TEST_F(LarkwayTest, ALinkLoopEndsAndOnlyTheRealFilesCount)
{
    m_temp.MakeFile(L"tree\\a.bin", std::string(100, 'a'));
    m_temp.MakeFile(L"tree\\sub\\b.bin", std::string(200, 'b'));
    const std::wstring tree = (m_temp.Path() / L"tree").wstring();
    LinuxFolderLink loop(tree + L"\\sub", L"back", L"..");
    ASSERT_TRUE(loop.Made());
    Start({tree});
    EXPECT_EQ(m_dialog->RequiredBytes(), 300u);
}

TEST_F(LarkwayTest, ClosingWhileSizingStopsTheWorkerAtOnce)
{
    const std::wstring first = m_temp.MakeFile(L"first.txt", "1");
    const std::wstring busy = MakeBusyTree(m_temp);
    PutDropListOnClipboard({first, busy});
    // Nothing is pumped: the worker waits for the dialog to take its first item.
    StartOnClipboard();
    Click(IDCANCEL);
    EXPECT_FALSE(m_dialog->IsSizing());
    EXPECT_FALSE(::IsWindowVisible(Dialog()));
    EXPECT_LE(Rows().size(), 1u); // the tree was never listed
    m_dialog->DestroyWindow();
    PumpMessages();
}

TEST_F(LarkwayTest, ASendWhileSizingSendsExactlyTheListedItems)
{
    const std::wstring listed = m_temp.MakeFile(L"listed.txt", "listed");
    const std::wstring late = m_temp.MakeFile(L"late.txt", "late");
    const std::wstring target = m_temp.MakeFolder(L"target");
    Start({listed}, target);
    ASSERT_TRUE(SendEnabled());
    // An item measured and handed over, but not taken into the list yet.
    std::thread worker([this, late] { m_dialog->PublishItem(SizedItem{late, 4}); });
    for (int spins = 0; m_dialog->PendingItemCount() == 0 && spins < 10000000; ++spins)
        ::SwitchToThread();
    ASSERT_EQ(m_dialog->PendingItemCount(), 1u);
    Click(IDOK);
    worker.join();
    EXPECT_EQ(FileBytes(target + L"\\listed.txt"), "listed");
    EXPECT_EQ(::GetFileAttributesW((target + L"\\late.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Rows().size(), 2u); // listed afterwards
    EXPECT_TRUE(SendEnabled());   // a copy can be sent again
}

TEST_F(LarkwayTest, TheClipboardIsFreeWhileSizingRuns)
{
    PutDropListOnClipboard({MakeBusyTree(m_temp)});
    StartOnClipboard();
    {
        fx::CClipboard clipboard;
        EXPECT_TRUE(clipboard.IsOpen());
    }
    WaitForSizing();
    EXPECT_EQ(m_dialog->RequiredBytes(), 4000u);
}

TEST_F(LarkwayTest, AMoveTakesTheItemsAwayAndDisablesSend)
{
    const std::wstring a = m_temp.MakeFile(L"a.txt", "aaa"), b = m_temp.MakeFile(L"b.txt", "bbbb");
    const std::wstring target = m_temp.MakeFolder(L"target");
    Start({a, b}, target);
    Click(IDC_COPY_MOVE);
    Click(IDOK);
    EXPECT_TRUE(m_boxes.shown.empty());
    EXPECT_EQ(FileBytes(target + L"\\a.txt"), "aaa");
    EXPECT_EQ(FileBytes(target + L"\\b.txt"), "bbbb");
    EXPECT_EQ(::GetFileAttributesW(a.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesW(b.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(SendEnabled());
}

TEST_F(LarkwayTest, AnAddedFavouriteIsNamedAndKept)
{
    const std::wstring target = m_temp.MakeFolder(L"target");
    Start({m_temp.MakeFile(L"a.txt")}, target);
    std::wstring offeredName;
    {
        // The user types a name over the one offered, then presses Add.
        DialogAnswerer answer([&offeredName](HWND dialog) {
            offeredName = WindowText(::GetDlgItem(dialog, IDC_FAVORITE_NAME));
            ::SetDlgItemTextW(dialog, IDC_FAVORITE_NAME, L"My target");
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        Click(IDC_ADD_FAVORITE);
        EXPECT_EQ(answer.Asked(), 1);
    }
    EXPECT_EQ(offeredName, target);
    ASSERT_EQ(m_app->Settings().favorites.size(), 2u);
    EXPECT_EQ(m_app->Settings().favorites[1], (Favorite{L"My target", target}));
}

TEST_F(LarkwayTest, AFullListOfFavouritesRefusesAnother)
{
    fx::CProfile profile;
    profile.SetRegistryKey(L"Corvale", L"Larkway");
    profile.WriteProfileInt(L"Favorites", L"FAVS", 0);
    Start({m_temp.MakeFile(L"a.txt")}, m_temp.Path().wstring());
    {
        // The options sheet comes up after the message, to organise the favourites.
        testing_support::DialogAnswerer closeSheet(IDCANCEL);
        Click(IDC_ADD_FAVORITE);
        EXPECT_EQ(closeSheet.Asked(), 1);
    }
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text,
              L"You have exceeded the Max Number of Favorites allotted/nPress Ok to Organize Favorites");
    EXPECT_EQ(m_boxes.shown[0].caption, L"Favorites:Error");
    EXPECT_EQ(m_boxes.shown[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(m_app->Settings().favorites.size(), 1u);
}

} // namespace
