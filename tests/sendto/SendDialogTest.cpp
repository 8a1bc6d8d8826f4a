// The send dialog: the selection listed with its sizes, the destination and
// its free space, the favourites, copy or move.
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

TEST_F(SendDialogTest, EachItemGetsARowWithItsSizeAndFoldersAreSizedWhenAsked)
{
    const std::wstring first = m_temp.MakeFile(L"first.txt", std::string(1500, 'x'));
    const std::wstring folder = m_temp.MakeFolder(L"folder");
    m_temp.MakeFile(L"folder\\a.bin", std::string(100, 'a'));
    m_temp.MakeFile(L"folder\\deeper\\c.bin", std::string(500, 'c'));
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
        TypeDestination(L"H:\\");
        ULARGE_INTEGER freeBytes{};
        ASSERT_TRUE(::GetDiskFreeSpaceExW(L"H:\\", &freeBytes, nullptr, nullptr));
        EXPECT_EQ(SendEnabled(), freeBytes.QuadPart >= required);
        TearDown();
        SetUp();
    }
    WriteSetting(L"CHECK", 0);
    Start({L"H:\\"}); // a drive root: a row without a name
    EXPECT_EQ(Rows(), (Texts{Row(L"", 0)}));
    EXPECT_EQ(Text(IDC_ITEMS_HEADER), L"H:\\");
}

TEST_F(SendDialogTest, SendIsEnabledOnlyForAFullPathOnADriveWithRoom)
{
    Start({m_temp.MakeFile(L"small.txt", "12345")});
    EXPECT_FALSE(SendEnabled()); // the start-up browse was cancelled
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"C:", false}, {L"C:\\", true}, {L"relative\\folder", false}, {L"Q:\\nowhere", false}};
    for (const auto& [typed, enabled] : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(typed)));
        TypeDestination(typed);
        EXPECT_EQ(SendEnabled(), enabled);
    }
}

// Exactly enough is enough, one byte short is not. The drive is a 1 MB file
// system of its own, whose free space nothing else changes meanwhile.
TEST_F(SendDialogTest, SendIsEnabledWhenTheFreeSpaceEqualsTheRequiredBytes)
{
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

// "report." and "report" side by side, as a Linux drive holds them: the one
// with the dot is listed as it is, and since the shell cannot take its name,
// the send names it and touches neither.
TEST_F(SendDialogTest, ANameEndingInADotIsListedAsItIsAndNeverTakenForAnother)
{
    const std::wstring plain = m_temp.MakeFile(L"report", "plain");
    const std::wstring folder = m_temp.Path().wstring(), dotted = folder + L"\\report.";
    ASSERT_TRUE(RunOnLinux(folder, "/bin/sh", L"-c \"printf dotted > report.\"",
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
}

TEST_F(SendDialogTest, TheStartUpBrowseAndAFavouriteMeasureTheirDriveAndTheMenuListsTheLastFirst)
{
    WriteFavorites({L"One,C:\\one", L"Scratch,H:\\", L"A & B,C:\\ab"});
    Start({m_temp.MakeFile(L"small.txt", "12345")}, m_temp.Path().wstring());
    EXPECT_EQ(Text(IDC_DESTINATION), m_temp.Path().wstring());
    EXPECT_TRUE(SendEnabled());
    EXPECT_TRUE(ShowsDrive(Text(IDC_FREE_SPACE), L"C:\\"));

    HMENU favorites = ::GetSubMenu(::GetSubMenu(::GetMenu(Dialog()), 1), 1);
    ASSERT_EQ(::GetMenuItemCount(favorites), 3);
    const std::pair<UINT, std::wstring> expected[] = {
        {ID_FAVORITE_FIRST + 2, L"A && B"}, {ID_FAVORITE_FIRST + 1, L"Scratch"}, {ID_FAVORITE_FIRST, L"One"}};
    for (int i = 0; i < 3; ++i) {
        wchar_t text[64] = L"";
        ::GetMenuStringW(favorites, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        EXPECT_EQ(::GetMenuItemID(favorites, i), expected[i].first);
        EXPECT_EQ(text, expected[i].second);
    }

    Click(ID_FAVORITE_FIRST + 1, 0);
    WaitForDestinationCheck();
    EXPECT_EQ(Text(IDC_DESTINATION), L"H:\\");
    EXPECT_TRUE(ShowsDrive(Text(IDC_FREE_SPACE), L"H:\\"));
    EXPECT_TRUE(SendEnabled());
    Click(ID_FAVORITE_FIRST + 5, 0); // no such favourite: nothing happens
    EXPECT_EQ(Text(IDC_DESTINATION), L"H:\\");
}

TEST_F(SendDialogTest, WithoutASelectionTheProgramSaysSoAndLeavesTheProfileAlone)
{
    {
        fx::CClipboard clipboard;
        ::EmptyClipboard();
    }
    // A profile of an earlier run, with values this run would correct.
    WriteSetting(L"FAVS", 99);
    WriteFavorites({L"Mine,C:\\mine"});
    CLarkwayApp app;
    EXPECT_EQ(app.Main(), 0);
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text, L"This Program Should be run only from the shell's Context menu");
    EXPECT_EQ(Stored(L"FAVS"), L"99");
    EXPECT_EQ(Stored(L"CHECK"), L"");
}

} // namespace

} // namespace larkway
