// The send dialog: the selection and its sizes, the destination and its room, the favourites,
// sizing while the user works; Larkway.exe started through the launcher.
#include "tests/sendto/LarkwayFixture.h"

#include "framework/Handle.h"
#include "outside/pallavol/DiskInfo.h"
#include "tests/support/HeldDrives.h"

namespace larkway {

namespace {

using namespace testing_support;
namespace fs = std::filesystem;
using Texts = std::vector<std::wstring>;

std::wstring Row(const std::wstring& name, uint64_t bytes)
{
    return name + L"|" + CDiskInfo().GetUnitSize(bytes);
}

bool ShowsDrive(const std::wstring& text, const std::wstring& root)
{
    return text.rfind(L"Free Space in drive " + root + L" ==> ", 0) == 0;
}

using SendDialogTest = LarkwayTest;

// A folder of 20 subfolders with 20 files of 10 bytes each: long enough to be busy with.
std::wstring MakeBusyTree(const TempDir& temp)
{
    for (int folder = 0; folder < 20; ++folder)
        for (int file = 0; file < 20; ++file)
            temp.MakeFile(L"busy\\" + std::to_wstring(folder) + L"\\" + std::to_wstring(file) + L".bin", "0123456789");
    return (temp.Path() / L"busy").wstring();
}

TEST_F(SendDialogTest, EachItemGetsARowWithItsSizeADotEndedNameIsRefusedAndExactlyEnoughRoomIsEnough)
{
    const std::wstring first = m_temp.MakeFile(L"first.txt", std::string(1500, 'x'));
    const std::wstring folder = m_temp.MakeFolder(L"folder");
    m_temp.MakeFile(L"folder\\a.bin", std::string(100, 'a'));
    m_temp.MakeFile(L"folder\\deeper\\c.bin", std::string(500, 'c'));
    const LinuxFolderLink loop(folder + L"\\deeper", L"back", L".."); // the walk ends, real files count
    ASSERT_TRUE(loop.Made());
    const std::wstring big = m_temp.MakeFile(L"big.bin");
    fs::resize_file(big, 5ULL << 30); // counts whole: more than 32 bits hold
    for (int sizeFolders : {1, 0}) {
        SCOPED_TRACE(sizeFolders);
        WriteSetting(L"CHECK", sizeFolders);
        Start({first, folder, big});
        const uint64_t required = 1500 + (sizeFolders ? 600 : 0) + (5ULL << 30);
        EXPECT_EQ(Rows(), (Texts{Row(L"first.txt", 1500), Row(L"folder", sizeFolders ? 600 : 0),
                                 Row(L"big.bin", 5ULL << 30)}));
        EXPECT_EQ(Text(IDC_REQUIRED_SPACE), L"Space Required==> " + CDiskInfo().GetUnitSize(required));
        EXPECT_EQ(Text(IDC_ITEMS_HEADER), m_temp.Path().wstring() + L"\\");
        EXPECT_TRUE(ClipboardIsEmpty());
        TearDown();
        SetUp();
    }
    WriteSetting(L"CHECK", 0);
    Start({L"H:\\"}); // a drive root: a row without a name
    EXPECT_EQ(Rows(), (Texts{Row(L"", 0)}));
    EXPECT_EQ(Text(IDC_ITEMS_HEADER), L"H:\\");
    TearDown();
    Start({MakeBusyTree(m_temp)}, std::nullopt, false); // closing stops the sizing at once
    Click(IDCANCEL);
    EXPECT_FALSE(m_dialog->IsSizing());
    EXPECT_FALSE(::IsWindowVisible(Dialog()));
    // "report." beside "report", as a Linux drive holds them: listed as it is, and since the
    // shell cannot take its name, the send names it and touches neither.
    TearDown();
    const std::wstring plain = m_temp.MakeFile(L"report", "plain");
    const std::wstring dotted = m_temp.Path().wstring() + L"\\report.";
    ASSERT_TRUE(RunOnLinux(m_temp.Path().wstring(), "/bin/sh", L"-c \"printf dotted > report.\"",
                           [&] { return fs::exists(L"\\\\?\\" + dotted); }));
    const std::wstring target = m_temp.MakeFolder(L"target");
    Start({dotted}, target);
    EXPECT_EQ(Rows(), (Texts{Row(L"report.", 6)}));
    Click(IDC_COPY_MOVE);
    Click(IDOK);
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text,
              L"Nothing was sent. The shell cannot copy or move an item whose name ends in a dot or a space:\n" + dotted);
    EXPECT_TRUE(fs::is_empty(target));
    EXPECT_EQ(fs::file_size(plain), 5u);
    EXPECT_EQ(fs::file_size(L"\\\\?\\" + dotted), 6u);
    // Exactly enough is enough, one byte short is not. The drive is a 1 MB file system of its
    // own, whose free space nothing else changes meanwhile.
    TearDown();
    const std::wstring small = WindowsPath(TEST_DRIVES_DIR "/small");
    const DriveLetterLink drive(small, L'R', TEST_DRIVES_DIR "/r");
    ULARGE_INTEGER freeBytes{};
    if (!drive.Made() || !::GetDiskFreeSpaceExW(drive.Root().c_str(), &freeBytes, nullptr, nullptr) ||
        freeBytes.QuadPart > 4 * 1024 * 1024)
        GTEST_SKIP() << "no small file system at " << fs::path(small).string();
    for (const uint64_t required : {freeBytes.QuadPart, freeBytes.QuadPart + 1}) {
        SCOPED_TRACE(required);
        const std::wstring file = m_temp.MakeFile(L"sized" + std::to_wstring(required) + L".bin");
        fs::resize_file(file, required);
        Start({file});
        TypeDestination(drive.Root());
        EXPECT_EQ(Text(IDC_FREE_SPACE),
                  L"Free Space in drive " + drive.Root() + L" ==> " + CDiskInfo().GetUnitSize(freeBytes.QuadPart));
        EXPECT_EQ(SendEnabled(), required == freeBytes.QuadPart);
        TearDown();
        SetUp();
    }
}

// Send needs a full path on a drive with room; the start-up browse and a favourite give one
// and have its drive measured.
TEST_F(SendDialogTest, TheBrowseAndAFavouriteMeasureTheirDriveAndAnAnswerForATextTypedOverIsDropped)
{
    WriteFavorites({L"One,C:\\one", L"Scratch,H:\\", L"A & B,C:\\ab"});
    Start({m_temp.MakeFile(L"small.txt", "12345")}, m_temp.Path().wstring());
    EXPECT_EQ(Text(IDC_DESTINATION), m_temp.Path().wstring());
    EXPECT_TRUE(ShowsDrive(Text(IDC_FREE_SPACE), L"C:\\"));
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"C:", false}, {L"relative\\folder", false}, {L"Q:\\nowhere", false}, {L"C:\\", true}};
    for (const auto& [typed, enabled] : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(typed)));
        TypeDestination(typed);
        EXPECT_EQ(SendEnabled(), enabled);
    }
    EXPECT_EQ(FavoritesMenu(), (Texts{L"2 A && B", L"1 Scratch", L"0 One"}));
    Click(ID_FAVORITE_FIRST + 1, 0);
    WaitForDestinationCheck();
    EXPECT_EQ(Text(IDC_DESTINATION), L"H:\\");
    EXPECT_TRUE(ShowsDrive(Text(IDC_FREE_SPACE), L"H:\\"));
    EXPECT_TRUE(SendEnabled());
    // The drive answers on a worker: an answer about a destination typed over since is dropped,
    // and closing waits for no drive still asked.
    const HeldDrives held({L"C:\\", L"H:\\", L"Y:\\"});
    TypeDestination(L"C:\\", false);
    ASSERT_TRUE(held.WaitUntilAsked(L"C:\\"));
    TypeDestination(L"H:\\", false);
    // C:'s answer is posted before the worker turns to H:, which it holds.
    held.LetGo(L"C:\\");
    ASSERT_TRUE(held.WaitUntilAsked(L"H:\\"));
    PumpMessages(); // C:'s answer, for a text typed over
    EXPECT_TRUE(m_dialog->IsCheckingDestination());
    EXPECT_TRUE(ShowsDrive(Text(IDC_FREE_SPACE), L"H:\\")); // as before C: was typed
    EXPECT_FALSE(SendEnabled());
    held.LetGo(L"H:\\");
    WaitForDestinationCheck();
    EXPECT_TRUE(ShowsDrive(Text(IDC_FREE_SPACE), L"H:\\"));
    EXPECT_TRUE(SendEnabled());
    TypeDestination(L"Y:\\", false);
    ASSERT_TRUE(held.WaitUntilAsked(L"Y:\\"));
    const int passed = held.Passed();
    Click(IDCANCEL);
    m_dialog->DestroyWindow();
    m_dialog.reset();
    EXPECT_EQ(held.Passed(), passed) << "closing waited for the drive";
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

// The clipboard is given back before sizing; Send pressed while a folder is still being sized
// waits for the last item: a move takes every selected item, and Send stays off for what is gone.
TEST_F(LarkwayTest, AMoveSentWhileSizingWaitsForEveryItem)
{
    const std::wstring first = m_temp.MakeFile(L"first.txt", "first");
    const std::wstring busy = MakeBusyTree(m_temp);
    const std::wstring target = m_temp.MakeFolder(L"target");
    const HeldListing held(L"\\busy");
    Start({first, busy}, target, false);
    ASSERT_TRUE(held.WaitUntilHeld());
    EXPECT_TRUE(fx::CClipboard().IsOpen()); // given back before sizing
    WaitForDestinationCheck();
    Click(IDC_COPY_MOVE);
    Click(IDOK);
    ASSERT_TRUE(m_dialog->IsSizing());
    held.LetGo();
    ASSERT_TRUE(PumpUntil([this] { return !m_dialog->IsSizing() && !m_dialog->SendWaitsForSizing(); }));
    PumpMessages();
    EXPECT_TRUE(m_boxes.shown.empty());
    EXPECT_EQ(fs::file_size(target + L"\\first.txt"), 5u);
    EXPECT_EQ(fs::file_size(target + L"\\busy\\19\\19.bin"), 10u);
    EXPECT_FALSE(fs::exists(first));
    EXPECT_FALSE(fs::exists(busy));
    EXPECT_TRUE(Rows().empty());
    EXPECT_FALSE(SendEnabled());
}

// Larkway without a list of files on the clipboard says so and writes nothing; through the
// launcher it takes the paths it is given and the launcher gives the user's clipboard back.
TEST_F(LarkwayTest, WithoutASelectionLarkwaySaysSoTheLauncherHandsItPathsAndTwoWindowsShareFavourites)
{
    const std::wstring a = m_temp.MakeFile(L"a.txt", "aaa"), b = m_temp.MakeFile(L"b.txt", "bb");
    const std::wstring folder = m_temp.MakeFolder(L"folder");
    PutTextOnClipboard(L"the user's text");
    EXPECT_EQ(CLarkwayApp().Main(), 0);
    EXPECT_EQ(m_boxes.shown.size() == 1 ? m_boxes.shown[0].text : L"",
              L"This Program Should be run only from the shell's Context menu");
    EXPECT_EQ(Stored(L"FAVS") + Stored(L"CHECK"), L"");
    LaunchedProgram larkway(LARKWAY_EXE, {a, b, folder});
    ASSERT_TRUE(larkway.Started());
    HWND picker = larkway.WaitForWindow([] { // the start-up folder picker
        for (HWND found = nullptr; (found = ::FindWindowExW(nullptr, found, L"#32770", nullptr));)
            if (::IsWindowVisible(found) && ::FindWindowExW(found, nullptr, L"Static", L"Select Destination Folder"))
                return found;
        return HWND{};
    });
    ASSERT_NE(picker, nullptr);
    ::PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
    HWND dialog = larkway.WaitForWindow(L"#32770", L"Larkway");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(larkway.WaitUntil([] { return ClipboardText() == L"the user's text"; }));
    HWND list = ::GetDlgItem(dialog, IDC_ITEM_LIST);
    EXPECT_NE(larkway.WaitForWindow([list] { return ListView_GetItemCount(list) == 3 ? list : nullptr; }), nullptr);
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(larkway.WaitForExit(), 0u);
    EXPECT_EQ(Stored(L"FAVS") + Stored(L"CHECK") + Stored(L"AVAILABLE"), L"611");
    EXPECT_EQ(Stored(L"FAV0").rfind(L"Windows Directory,", 0), 0u);
    // Two windows at once each add a favourite (offered under its target's name, renamed) and
    // close in turn: the one that closes last keeps what the first saved.
    struct Run : CLarkwayApp {
        void Exit() { ExitInstance(0); }
    } runs[2];
    std::unique_ptr<CSendDialog> windows[2];
    for (int i = 0; i < 2; ++i) {
        const std::wstring name = i ? L"Second" : L"First", target = m_temp.MakeFolder(name);
        PutDropListOnClipboard({a});
        runs[i].LoadProfile();
        windows[i] = std::make_unique<CSendDialog>(runs[i]);
        windows[i]->SetFolderChooser([target](HWND, const std::wstring&) { return target; });
        ASSERT_TRUE(windows[i]->Create(nullptr));
        DialogAnswerer answer([&](HWND dialog) {
            EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_FAVORITE_NAME)), target);
            ::SetDlgItemTextW(dialog, IDC_FAVORITE_NAME, name.c_str());
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        ::SendMessageW(windows[i]->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_ADD_FAVORITE, BN_CLICKED), 0);
        PumpMessages();
        ASSERT_EQ(answer.Asked(), 1);
    }
    for (int i = 0; i < 2; ++i) {
        windows[i]->DestroyWindow();
        PumpMessages();
        runs[i].Exit();
    }
    EXPECT_EQ(Stored(L"AVAILABLE"), L"3");
    EXPECT_EQ(Stored(L"FAV1"), L"First," + (m_temp.Path() / L"First").wstring());
    EXPECT_EQ(Stored(L"FAV2"), L"Second," + (m_temp.Path() / L"Second").wstring());
}

} // namespace

} // namespace larkway
