// The send dialog: the selection listed with its sizes, the destination and
// its free space, the favourites, copy or move.
#include "tests/sendto/LarkwayFixture.h"

#include "framework/Handle.h"
#include "outside/pallavol/DiskInfo.h"
#include "tests/support/HeldDrives.h"

#include <filesystem>

namespace larkway {

namespace {

using namespace testing_support;

std::wstring UnitSize(uint64_t bytes)
{
    return CDiskInfo().GetUnitSize(bytes);
}

// A folder of known contents: 3 files, 100 + 200 + 300 bytes, one of them a level down.
std::wstring MakeFolderOf600Bytes(const TempDir& temp)
{
    temp.MakeFile(L"folder\\a.bin", std::string(100, 'a'));
    temp.MakeFile(L"folder\\b.bin", std::string(200, 'b'));
    temp.MakeFile(L"folder\\deeper\\c.bin", std::string(300, 'c'));
    return (temp.Path() / L"folder").wstring();
}

using SendDialogTest = LarkwayTest;

TEST_F(SendDialogTest, EachItemGetsARowWithItsSize)
{
    const std::wstring first = m_temp.MakeFile(L"first.txt", std::string(1500, 'x'));
    const std::wstring second = m_temp.MakeFile(L"second.txt", std::string(10, 'y'));
    const std::wstring folder = MakeFolderOf600Bytes(m_temp);
    for (int sizeFolders : {1, 0}) {
        SCOPED_TRACE(sizeFolders);
        WriteSetting(L"CHECK", sizeFolders);
        Start({first, second, folder});
        const uint64_t folderBytes = sizeFolders ? 600 : 0;
        EXPECT_EQ(Rows(), (std::vector<Row>{{L"first.txt", UnitSize(1500)},
                                            {L"second.txt", UnitSize(10)},
                                            {L"folder", UnitSize(folderBytes)}}));
        EXPECT_EQ(m_dialog->RequiredBytes(), 1510 + folderBytes);
        EXPECT_EQ(Text(IDC_REQUIRED_SPACE), L"Space Required==> " + UnitSize(1510 + folderBytes));
        EXPECT_EQ(Text(IDC_ITEMS_HEADER), m_temp.Path().wstring() + L"\\");
        EXPECT_EQ(m_dialog->SelectedPaths().GetCount(), 3);
        EXPECT_FALSE(::IsWindowVisible(Item(IDC_ACTIVITY_BAR)));
        EXPECT_TRUE(ClipboardIsEmpty());
        TearDown();
        SetUp();
    }
}

TEST_F(SendDialogTest, ADriveRootIsARowWithoutAName)
{
    WriteSetting(L"CHECK", 0);
    Start({L"H:\\"});
    ASSERT_EQ(Rows().size(), 1u);
    EXPECT_EQ(Rows()[0].name, L"");
    EXPECT_EQ(Text(IDC_ITEMS_HEADER), L"H:\\");
}

TEST_F(SendDialogTest, AFileOfFiveGigabytesCountsWhole)
{
    const std::wstring big = m_temp.MakeFile(L"big.bin", "");
    {
        fx::CFileHandle file(::CreateFileW(big.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(file);
        LARGE_INTEGER size{};
        size.QuadPart = 5LL << 30;
        ASSERT_TRUE(::SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN));
        ASSERT_TRUE(::SetEndOfFile(file.Get()));
    }
    Start({big});
    EXPECT_EQ(m_dialog->RequiredBytes(), 5ULL << 30);
    EXPECT_EQ(Rows()[0].size, UnitSize(5ULL << 30));
    // 5 GiB do not fit on a drive with less free space than that.
    TypeDestination(L"H:\\");
    ULARGE_INTEGER freeBytes{};
    ASSERT_TRUE(::GetDiskFreeSpaceExW(L"H:\\", &freeBytes, nullptr, nullptr));
    EXPECT_EQ(SendEnabled(), freeBytes.QuadPart >= (5ULL << 30));
}

TEST_F(SendDialogTest, SendIsEnabledOnlyForADriveWithRoom)
{
    const std::wstring file = m_temp.MakeFile(L"small.txt", "12345");
    Start({file});
    EXPECT_FALSE(SendEnabled()); // the start-up browse was cancelled
    TypeDestination(L"C:");
    EXPECT_FALSE(SendEnabled());
    TypeDestination(L"C:\\");
    EXPECT_TRUE(SendEnabled());
    EXPECT_EQ(Text(IDC_FREE_SPACE).rfind(L"Free Space in drive C:\\ ==> ", 0), 0u);
    TypeDestination(L"relative\\folder");
    EXPECT_FALSE(SendEnabled());
    TypeDestination(L"Q:\\nowhere"); // no such drive
    EXPECT_FALSE(SendEnabled());
}

// Send follows whether the destination's drive has room: exactly enough is
// enough, one byte short is not. The drive is a 1 MB file system of its own,
// whose free space nothing else changes meanwhile.
TEST_F(SendDialogTest, SendIsEnabledWhenTheFreeSpaceEqualsTheRequiredBytes)
{
    const std::wstring small = WindowsPath(TEST_DRIVES_DIR "/small");
    const DriveLetterLink drive(small, L'R', TEST_DRIVES_DIR "/r");
    ULARGE_INTEGER freeBytes{};
    if (!drive.Made() || !::GetDiskFreeSpaceExW(drive.Root().c_str(), &freeBytes, nullptr, nullptr) ||
        freeBytes.QuadPart > 4 * 1024 * 1024)
        GTEST_SKIP() << "no small file system at " << std::filesystem::path(small).string();
    for (const uint64_t required : {freeBytes.QuadPart, freeBytes.QuadPart + 1}) {
        SCOPED_TRACE(required);
        const std::wstring file = m_temp.MakeFile(L"sized" + std::to_wstring(required) + L".bin");
        std::filesystem::resize_file(file, required);
        Start({file});
        TypeDestination(drive.Root());
        EXPECT_EQ(Text(IDC_FREE_SPACE), L"Free Space in drive " + drive.Root() + L" ==> " + UnitSize(freeBytes.QuadPart));
        EXPECT_EQ(SendEnabled(), required == freeBytes.QuadPart);
        TearDown();
        SetUp();
    }
}

// "report." and "report" side by side, as a Linux drive or a share holds
// them: selecting the one with the dot lists that one, and since the shell
// cannot take its name, the send names it and touches neither.
// The drive answers on a worker: an answer about a destination the user has
// typed over since is dropped, and closing waits for no drive still asked.
TEST_F(SendDialogTest, AnAnswerForATextTypedOverIsDroppedAndClosingWaitsForNoDrive)
{
    Start({m_temp.MakeFile(L"small.txt", "12345")});
    const HeldDrives held({L"C:\\", L"H:\\", L"Y:\\"});
    TypeDestination(L"C:\\", false);
    ASSERT_TRUE(held.WaitUntilAsked(L"C:\\"));
    TypeDestination(L"H:\\", false);
    // C:'s answer is posted before the worker turns to H:, which it holds.
    held.LetGo(L"C:\\");
    ASSERT_TRUE(held.WaitUntilAsked(L"H:\\"));
    PumpMessages(); // C:'s answer, for a text typed over
    EXPECT_TRUE(m_dialog->IsCheckingDestination());
    EXPECT_EQ(Text(IDC_FREE_SPACE), L"");
    EXPECT_FALSE(SendEnabled());
    held.LetGo(L"H:\\");
    WaitForDestinationCheck();
    EXPECT_EQ(Text(IDC_FREE_SPACE).rfind(L"Free Space in drive H:\\ ==> ", 0), 0u);
    EXPECT_TRUE(SendEnabled());

    TypeDestination(L"Y:\\", false);
    ASSERT_TRUE(held.WaitUntilAsked(L"Y:\\"));
    const int passed = held.Passed();
    Click(IDCANCEL);
    m_dialog->DestroyWindow();
    m_dialog.reset();
    EXPECT_EQ(held.Passed(), passed) << "closing waited for the drive";
}

TEST_F(SendDialogTest, ANameEndingInADotIsListedAsItIsAndNeverTakenForAnother)
{
    const std::wstring plain = m_temp.MakeFile(L"report", "plain");
    const std::wstring folder = m_temp.Path().wstring();
    const std::wstring dotted = folder + L"\\report.";
    ASSERT_TRUE(RunOnLinux(folder, "/bin/sh", L"-c \"printf dotted > report.\"", [&folder] {
        WIN32_FIND_DATAW found;
        fx::CFindHandle find(::FindFirstFileW((L"\\\\?\\" + folder + L"\\report.").c_str(), &found));
        return find && found.nFileSizeLow == 6;
    }));
    const std::wstring target = m_temp.MakeFolder(L"target");
    Start({dotted}, target);
    EXPECT_EQ(Rows(), (std::vector<Row>{{L"report.", UnitSize(6)}}));
    EXPECT_EQ(Text(IDC_ITEMS_HEADER), folder + L"\\");
    Click(IDC_COPY_MOVE);
    Click(IDOK);
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text,
              L"Nothing was sent. The shell cannot copy or move an item whose name ends in a dot or a space:\n" + dotted);
    EXPECT_TRUE(std::filesystem::is_empty(target));
    EXPECT_EQ(std::filesystem::file_size(plain), 5u);
    EXPECT_EQ(std::filesystem::file_size(L"\\\\?\\" + dotted), 6u);
}

TEST_F(SendDialogTest, TheStartUpBrowseOrAFavouriteOnAnotherDriveMeasuresThatDrive)
{
    WriteFavorites({L"Windows Directory,C:\\windows", L"Scratch,H:\\"});
    Start({m_temp.MakeFile(L"small.txt", "12345")}, m_temp.Path().wstring());
    EXPECT_EQ(Text(IDC_DESTINATION), m_temp.Path().wstring());
    EXPECT_TRUE(SendEnabled());
    EXPECT_EQ(Text(IDC_FREE_SPACE).rfind(L"Free Space in drive C:\\ ==> ", 0), 0u);
    Command(ID_FAVORITE_FIRST + 1);
    WaitForDestinationCheck();
    EXPECT_EQ(Text(IDC_DESTINATION), L"H:\\");
    EXPECT_EQ(Text(IDC_FREE_SPACE).rfind(L"Free Space in drive H:\\ ==> ", 0), 0u);
    EXPECT_TRUE(SendEnabled());
    Command(ID_FAVORITE_FIRST + 5); // no such favourite: nothing happens
    EXPECT_EQ(Text(IDC_DESTINATION), L"H:\\");
}

TEST_F(SendDialogTest, FavouritesMenuListsTheLastFirst)
{
    WriteFavorites({L"One,C:\\one", L"Two,C:\\two", L"A & B,C:\\ab"});
    Start({m_temp.MakeFile(L"a.txt")}, m_temp.Path().wstring());
    HMENU favorites = ::GetSubMenu(::GetSubMenu(::GetMenu(Dialog()), 1), 1);
    ASSERT_NE(favorites, nullptr);
    ASSERT_EQ(::GetMenuItemCount(favorites), 3);
    const std::pair<UINT, std::wstring> expected[] = {
        {ID_FAVORITE_FIRST + 2, L"A && B"}, {ID_FAVORITE_FIRST + 1, L"Two"}, {ID_FAVORITE_FIRST, L"One"}};
    for (int i = 0; i < 3; ++i) {
        wchar_t text[64] = L"";
        ::GetMenuStringW(favorites, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        EXPECT_EQ(::GetMenuItemID(favorites, i), expected[i].first);
        EXPECT_EQ(text, expected[i].second);
    }
}

TEST_F(SendDialogTest, WithoutASelectionTheProgramSaysSoAndLeavesTheProfileAlone)
{
    {
        fx::CClipboard clipboard;
        ::EmptyClipboard();
    }
    // A profile of an earlier run, with values this run would correct.
    HKEY raw = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Corvale\\Larkway\\Favorites", 0, nullptr, 0,
                                KEY_READ | KEY_WRITE, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    fx::CRegKey key(raw);
    const DWORD favs = 99, available = 1;
    ::RegSetValueExW(key.Get(), L"FAVS", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&favs), sizeof(favs));
    ::RegSetValueExW(key.Get(), L"AVAILABLE", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&available),
                     sizeof(available));
    const std::wstring fav0 = L"Mine,C:\\mine";
    ::RegSetValueExW(key.Get(), L"FAV0", 0, REG_SZ, reinterpret_cast<const BYTE*>(fav0.c_str()),
                     static_cast<DWORD>((fav0.size() + 1) * sizeof(wchar_t)));

    CLarkwayApp app;
    EXPECT_EQ(app.Main(), 0);
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text, L"This Program Should be run only from the shell's Context menu");

    DWORD value = 0, size = sizeof(value);
    EXPECT_EQ(::RegGetValueW(key.Get(), nullptr, L"FAVS", RRF_RT_REG_DWORD, nullptr, &value, &size), ERROR_SUCCESS);
    EXPECT_EQ(value, 99u);
    EXPECT_EQ(::RegGetValueW(key.Get(), nullptr, L"CHECK", RRF_RT_ANY, nullptr, nullptr, nullptr),
              ERROR_FILE_NOT_FOUND);
}

} // namespace

} // namespace larkway
