// Sizing on the worker while the user works in the dialog: closing, sending
// and the clipboard meanwhile, and trees that loop; favourites added from
// windows open at once.
#include "tests/sendto/LarkwayFixture.h"

#include "framework/Handle.h"

namespace larkway {

namespace {

using namespace testing_support;

// A folder of 20 subfolders with 20 files of 10 bytes each: long enough to be busy with.
std::wstring MakeBusyTree(const TempDir& temp)
{
    for (int folder = 0; folder < 20; ++folder)
        for (int file = 0; file < 20; ++file)
            temp.MakeFile(L"busy\\" + std::to_wstring(folder) + L"\\" + std::to_wstring(file) + L".bin", "0123456789");
    return (temp.Path() / L"busy").wstring();
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

// The clipboard is given back before sizing; closing stops the worker at once.
TEST_F(LarkwayTest, TheClipboardIsFreeWhileSizingRunsAndClosingStopsIt)
{
    Start({m_temp.MakeFile(L"first.txt", "1"), MakeBusyTree(m_temp)}, std::nullopt, false);
    EXPECT_TRUE(fx::CClipboard().IsOpen());
    Click(IDCANCEL);
    EXPECT_FALSE(m_dialog->IsSizing());
    EXPECT_FALSE(::IsWindowVisible(Dialog()));
}

// A stop is honoured inside one big folder, not only before the next item:
// here the folder holds nothing but subfolders, and the stop comes with the first.
TEST(SizingStopTest, AStopEndsTheWalkInsideTheFolder)
{
    TempDir temp;
    const std::wstring busy = MakeBusyTree(temp);
    EXPECT_EQ(MeasureItem(busy, true, [] { return false; }, {}), 4000u);
    bool stop = false;
    EXPECT_EQ(MeasureItem(busy, true, [&stop] { return stop; }, [&stop] { stop = true; }), 0u);
}

// Send pressed while items are still being sized waits for the last of them:
// a move takes every selected item, and then Send stays off for what is gone.
TEST_F(LarkwayTest, AMoveSentWhileSizingWaitsForEveryItem)
{
    const std::wstring first = m_temp.MakeFile(L"first.txt", "first");
    const std::wstring busy = MakeBusyTree(m_temp);
    const std::wstring target = m_temp.MakeFolder(L"target");
    Start({first, busy}, target, false);
    // Nothing is pumped before Send: no item has been listed yet.
    ::SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(IDC_COPY_MOVE, BN_CLICKED), 0);
    Click(IDOK);
    ASSERT_TRUE(PumpUntil([this] { return !m_dialog->IsSizing() && !m_dialog->SendWaitsForSizing(); }));
    PumpMessages();
    EXPECT_TRUE(m_boxes.shown.empty());
    EXPECT_TRUE(std::filesystem::exists(target + L"\\first.txt"));
    EXPECT_EQ(std::filesystem::file_size(target + L"\\busy\\19\\19.bin"), 10u);
    EXPECT_FALSE(std::filesystem::exists(busy));
    EXPECT_TRUE(Rows().empty());
    EXPECT_FALSE(SendEnabled());
}

// Two Larkway windows open at once each add a favourite (the name offered is
// the target; the user types another) and close in turn: the one that closes
// last keeps what the first saved.
TEST_F(LarkwayTest, TwoWindowsClosedInTurnKeepEachOthersFavourites)
{
    struct Run : CLarkwayApp {
        void Exit() { ExitInstance(0); }
    };
    const std::wstring file = m_temp.MakeFile(L"a.txt");
    std::vector<std::unique_ptr<Run>> runs;
    std::vector<std::unique_ptr<CSendDialog>> windows;
    for (const std::wstring name : {L"First", L"Second"}) {
        const std::wstring target = m_temp.MakeFolder(name);
        PutDropListOnClipboard({file});
        runs.push_back(std::make_unique<Run>());
        runs.back()->LoadProfile();
        windows.push_back(std::make_unique<CSendDialog>(*runs.back()));
        windows.back()->SetFolderChooser([target](HWND, const std::wstring&) { return target; });
        ASSERT_TRUE(windows.back()->Create(nullptr));
        std::wstring offered;
        DialogAnswerer answer([&](HWND dialog) {
            offered = WindowText(::GetDlgItem(dialog, IDC_FAVORITE_NAME));
            ::SetDlgItemTextW(dialog, IDC_FAVORITE_NAME, name.c_str());
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        ::SendMessageW(windows.back()->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_ADD_FAVORITE, BN_CLICKED), 0);
        PumpMessages();
        ASSERT_EQ(answer.Asked(), 1);
        EXPECT_EQ(offered, target);
    }
    for (size_t i = 0; i < runs.size(); ++i) {
        windows[i]->DestroyWindow();
        PumpMessages();
        runs[i]->Exit();
    }
    EXPECT_EQ(Stored(L"AVAILABLE"), L"3");
    EXPECT_EQ(Stored(L"FAV1"), L"First," + (m_temp.Path() / L"First").wstring());
    EXPECT_EQ(Stored(L"FAV2"), L"Second," + (m_temp.Path() / L"Second").wstring());
}

} // namespace

} // namespace larkway
