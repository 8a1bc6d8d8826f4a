#include "sendto/ArrivalCheck.h"
#include "sendto/ItemTree.h"
#include "sendto/SendChecks.h"
#include "sendto/SendOperation.h"
#include "sendto/SendRefusal.h"
#include "tests/sendto/LarkwayFixture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace larkway {

namespace {

namespace fs = std::filesystem;
using testing_support::LinuxFolderLink;
using testing_support::MessageBoxRecorder;
using testing_support::TempDir;
using Files = std::map<std::wstring, std::string>;

// What the tests add where no person is there to answer the shell.
const FILEOP_FLAGS kUnattended = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
// The shell's own questions stay on: the test answers them.
const FILEOP_FLAGS kAsking = FOF_NOERRORUI | FOF_SILENT;
const UINT kWarning = MB_OK | MB_ICONEXCLAMATION;

std::string BytesOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file under a folder, by its path relative to the folder, with its bytes.
Files FilesUnder(const fs::path& folder)
{
    Files files;
    if (fs::exists(folder))
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_regular_file())
                files[fs::relative(entry.path(), folder).wstring()] = BytesOf(entry.path());
    return files;
}

// Two files and a folder with nested files, as a typical selection.
class SendOperationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_selection = {m_temp.MakeFile(L"src\\alpha.txt", "alpha bytes"),
                       m_temp.MakeFile(L"src\\\u00e9t\u00e9 \u65e5.dat", std::string("bra\0vo", 6)),
                       m_temp.MakeFolder(L"src\\charlie")};
        m_temp.MakeFile(L"src\\charlie\\inner.txt", "inner");
        m_temp.MakeFile(L"src\\charlie\\deeper\\delta.txt", "delta");
    }

    std::wstring Path(const std::wstring& relative) const { return (m_temp.Path() / relative).wstring(); }

    SendOutcome Send(const std::vector<std::wstring>& sources, const std::wstring& destination, bool move,
                     FILEOP_FLAGS flags = kUnattended)
    {
        return CSendOperation(flags).Send(nullptr, sources, destination, move);
    }

    const Files m_files = {{L"alpha.txt", "alpha bytes"},
                           {L"\u00e9t\u00e9 \u65e5.dat", std::string("bra\0vo", 6)},
                           {L"charlie\\inner.txt", "inner"},
                           {L"charlie\\deeper\\delta.txt", "delta"}};
    TempDir m_temp;
    std::vector<std::wstring> m_selection;
};

class CopyOrMoveTest : public SendOperationTest, public ::testing::WithParamInterface<bool> {};

TEST_P(CopyOrMoveTest, EveryItemArrivesWholeWithoutAWord)
{
    const bool move = GetParam();
    const std::wstring destination = m_temp.MakeFolder(L"dest");
    MessageBoxRecorder boxes;
    const SendOutcome outcome = Send(m_selection, destination + L"\\", move);
    EXPECT_TRUE(outcome.sent);
    EXPECT_EQ(outcome.destination, destination); // one trailing backslash dropped
    EXPECT_EQ(FilesUnder(destination), m_files);
    // A move leaves nothing behind; a copy leaves the sources alone.
    EXPECT_EQ(FilesUnder(Path(L"src")), move ? Files() : m_files);
    EXPECT_EQ(fs::exists(Path(L"src\\charlie")), !move);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_P(CopyOrMoveTest, MissingFolderIsCreatedOnYesAndNothingIsSentOnNo)
{
    const bool move = GetParam();
    const std::vector<std::wstring> one{Path(L"src\\alpha.txt")};
    const std::wstring folder = Path(L"new\\deeper");
    const MessageBoxRecorder::Shown question{L"The Folder " + folder + L" does not exist.\nDo you want to create it?",
                                             L"Create Folder?", MB_YESNO | MB_ICONQUESTION};
    {
        // Declined: no folder, and no file named like the folder either.
        MessageBoxRecorder boxes(IDNO);
        const SendOutcome outcome = Send(one, folder + L"\\", move);
        EXPECT_FALSE(outcome.sent);
        EXPECT_EQ(outcome.destination, folder);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, question.text);
        EXPECT_EQ(boxes.shown[0].caption, question.caption);
        EXPECT_EQ(boxes.shown[0].type, question.type);
        EXPECT_FALSE(fs::exists(Path(L"new")));
        EXPECT_EQ(BytesOf(one[0]), "alpha bytes");
    }
    {
        // Typed with a trailing space: the platform reads the name without
        // it, and so do the question and the send.
        MessageBoxRecorder boxes(IDYES);
        const SendOutcome outcome = Send(one, folder + L" ", move);
        EXPECT_TRUE(outcome.sent);
        EXPECT_EQ(outcome.destination, folder);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, question.text);
        EXPECT_EQ(FilesUnder(folder), (Files{{L"alpha.txt", "alpha bytes"}}));
        EXPECT_EQ(fs::exists(one[0]), !move);
    }
}

TEST_P(CopyOrMoveTest, DriveRootThatExistsKeepsItsBackslash)
{
    // H: is a fixed test drive; the item's name is this test's own.
    const std::wstring item = m_temp.MakeFolder(L"item" + m_temp.Path().filename().wstring());
    m_temp.MakeFile(item.substr(m_temp.Path().wstring().size() + 1) + L"\\file.txt", "on the root");
    const std::wstring arrived = L"H:\\" + fs::path(item).filename().wstring();
    MessageBoxRecorder boxes;
    const SendOutcome outcome = Send({item}, L"H:\\", GetParam());
    EXPECT_TRUE(outcome.sent);
    EXPECT_EQ(outcome.destination, L"H:\\");
    EXPECT_EQ(FilesUnder(arrived), (Files{{L"file.txt", "on the root"}}));
    EXPECT_EQ(fs::exists(item), !GetParam());
    EXPECT_TRUE(boxes.shown.empty());
    fs::remove_all(arrived);
}

// However the destination is written, a folder is never sent into itself:
// the shell would nest copies until the path is too long and then write into
// whatever folder is current.
TEST_P(CopyOrMoveTest, FolderIntoItselfOrItsOwnSubfolderIsRefusedHoweverItIsWritten)
{
    const std::wstring charlie = Path(L"src\\charlie");
    std::wstring shortCharlie(1024, L'\0');
    shortCharlie.resize(::GetShortPathNameW(charlie.c_str(), shortCharlie.data(), 1024));
    std::wstring shouted = charlie;
    for (wchar_t& c : shouted)
        c = c == L'\\' ? L'/' : static_cast<wchar_t>(::towupper(c));
    const DriveLetterLink letter(charlie);
    ASSERT_TRUE(letter.Made());
    m_temp.MakeFolder(L"elsewhere");
    const LinuxFolderLink intoCharlie(Path(L"elsewhere"), L"link", L"../src/charlie");
    const LinuxFolderLink aboveCharlie(Path(L"elsewhere"), L"up", L"../src");
    ASSERT_TRUE(intoCharlie.Made() && aboveCharlie.Made());
    for (const std::wstring& destination :
         {charlie, charlie + L"\\deeper", charlie + L"\\deeper\\new", shortCharlie + L"\\new\\tail",
          shouted + L"/deeper", L"\\\\?\\" + charlie + L"\\deeper", letter.Root() + L"new",
          Path(L"elsewhere\\link\\new"), Path(L"elsewhere\\up\\charlie\\deeper\\new")}) {
        SCOPED_TRACE(destination);
        MessageBoxRecorder boxes(IDYES);
        EXPECT_FALSE(Send(m_selection, destination, GetParam()).sent);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text,
                  L"Nothing was sent. A folder cannot be sent into itself or into a folder inside it:\n" + charlie);
        EXPECT_EQ(boxes.shown[0].type, kWarning);
        EXPECT_EQ(FilesUnder(Path(L"src")), m_files);
        EXPECT_FALSE(fs::exists(charlie + L"\\deeper\\new"));
        EXPECT_FALSE(fs::exists(charlie + L"\\new"));
    }
}

// A folder sent onto a folder of the same name is merged into it, and judged
// by its own files: the merged folder holding more is no failure.
TEST_P(CopyOrMoveTest, FolderOntoItsNamesakeIsMergedIntoIt)
{
    const bool move = GetParam();
    const std::wstring destination = m_temp.MakeFolder(L"dest");
    m_temp.MakeFile(L"dest\\charlie\\theirs.txt", "theirs");
    m_temp.MakeFile(L"dest\\charlie\\deeper\\old.txt", "old");
    MessageBoxRecorder boxes;
    EXPECT_TRUE(Send({Path(L"src\\charlie")}, destination, move).sent);
    EXPECT_EQ(FilesUnder(destination + L"\\charlie"), (Files{{L"inner.txt", "inner"},
                                                             {L"deeper\\delta.txt", "delta"},
                                                             {L"theirs.txt", "theirs"},
                                                             {L"deeper\\old.txt", "old"}}));
    EXPECT_EQ(fs::exists(Path(L"src\\charlie")), !move);
    EXPECT_TRUE(boxes.shown.empty());
}

// A link in the selection leads the shell to copy what it points to: the copy
// holds more than the walk counted, and is complete.
TEST_F(SendOperationTest, LinkedFoldersArriveWholeAndStay)
{
    m_temp.MakeFile(L"real\\linked.txt", "linked");
    const LinuxFolderLink selectedLink(m_temp.Path().wstring(), L"shortcut", L"real");
    const LinuxFolderLink linkInside(Path(L"src\\charlie"), L"inside", L"../../real");
    ASSERT_TRUE(selectedLink.Made() && linkInside.Made());
    const std::wstring destination = m_temp.MakeFolder(L"dest");
    MessageBoxRecorder boxes;
    EXPECT_TRUE(Send({Path(L"shortcut"), Path(L"src\\charlie")}, destination, false).sent);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(BytesOf(destination + L"\\shortcut\\linked.txt"), "linked");
    EXPECT_EQ(BytesOf(destination + L"\\charlie\\inner.txt"), "inner");
}

TEST_P(CopyOrMoveTest, ItemsOfTheSameNameAreRefusedBeforeTheShellSeesThem)
{
    // The shell's own questions are on, yet it is never asked: under Wine a
    // move of two same-named items replaces the first without a question.
    const std::wstring first = m_temp.MakeFile(L"a\\x.txt", "first");
    const std::wstring second = m_temp.MakeFile(L"b\\X.TXT", "second!");
    const std::wstring destination = m_temp.MakeFolder(L"dest");
    testing_support::DialogAnswerer answer(IDYES);
    MessageBoxRecorder boxes;
    EXPECT_FALSE(Send({first, Path(L"src\\alpha.txt"), second}, destination, GetParam(), kAsking).sent);
    EXPECT_EQ(answer.Asked(), 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"Nothing was sent. These items have the same name and would replace each other in " +
                                       destination + L":\n" + first + L"\n" + second);
    EXPECT_EQ(FilesUnder(destination), Files());
    EXPECT_EQ(BytesOf(first), "first");
    EXPECT_EQ(BytesOf(second), "second!");
}

// Each refusal says why in one message and leaves every item where it was.
TEST_P(CopyOrMoveTest, EachRefusalSaysWhyAndSendsNothing)
{
    const bool move = GetParam();
    const std::wstring destination = m_temp.MakeFolder(L"dest");
    const std::wstring gone = Path(L"src\\gone.txt");
    struct Case {
        std::vector<std::wstring> sources;
        std::wstring destination, message;
        UINT type;
    };
    const Case cases[] = {
        {m_selection, L"Q:\\", L"Invalid Drive", MB_OK}, // a drive root with no drive
        {m_selection, L"backup\\", L"Nothing was sent. backup is not a full folder path.", kWarning},
        {m_selection, Path(L"src"),
         L"Nothing was sent. These items are already in " + Path(L"src") + L" and would be " +
             (move ? L"moved" : L"copied") + L" onto themselves:\n" + m_selection[0] + L"\n" + m_selection[1] + L"\n" +
             m_selection[2],
         kWarning},
        {{m_selection[0], gone}, destination, L"Nothing was sent. These items no longer exist:\n" + gone, kWarning},
    };
    for (const Case& refused : cases) {
        SCOPED_TRACE(testing::PrintToString(refused.destination));
        MessageBoxRecorder boxes(IDYES); // a refusal asks nothing
        EXPECT_FALSE(Send(refused.sources, refused.destination, move).sent);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, refused.message);
        EXPECT_EQ(boxes.shown[0].type, refused.type);
        EXPECT_EQ(FilesUnder(Path(L"src")), m_files);
        EXPECT_EQ(FilesUnder(destination), Files());
    }
}

INSTANTIATE_TEST_SUITE_P(CopyAndMove, CopyOrMoveTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Move" : "Copy"; });

// A file already at the destination under the same name: the shell asks
// (a copy under Wine); what the person answers decides what arrived.
TEST_F(SendOperationTest, FileThatWasThereBeforeCountsOnlyWhenReplaced)
{
    const std::wstring destination = m_temp.MakeFolder(L"dest");
    const std::wstring old = m_temp.MakeFile(L"dest\\alpha.txt", "OLD bytes!!"); // as long as the source
    // Older than the source, as a file left from earlier work is.
    fs::last_write_time(old, fs::last_write_time(old) - std::chrono::hours(24 * 365));
    {
        testing_support::DialogAnswerer answer(IDNO);
        MessageBoxRecorder boxes;
        EXPECT_TRUE(Send({m_selection[0]}, destination, false, kAsking).sent);
        EXPECT_EQ(answer.Asked(), 1);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text,
                  L"Not everything was sent. These items did not arrive whole in " + destination + L":\n" + m_selection[0]);
        // The old file is not this send's to take away.
        EXPECT_EQ(BytesOf(old), "OLD bytes!!");
    }
    {
        testing_support::DialogAnswerer answer(IDYES);
        MessageBoxRecorder boxes;
        EXPECT_TRUE(Send({m_selection[0]}, destination, false, kAsking).sent);
        EXPECT_EQ(answer.Asked(), 1);
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_EQ(BytesOf(old), "alpha bytes");
    }
}

// The send fills a drive of 1 MB: the shell reports success and leaves a
// cut-off copy behind.
class FullDriveTest : public SendOperationTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        SendOperationTest::SetUp();
        const std::wstring small = testing_support::WindowsPath(TEST_DRIVES_DIR "/small");
        ULARGE_INTEGER total{};
        if (!::GetDiskFreeSpaceExW((small + L"\\").c_str(), nullptr, &total, nullptr) ||
            total.QuadPart > 4 * 1024 * 1024)
            GTEST_SKIP() << "no small file system at " << fs::path(small).string()
                         << " (tools/wine-env.sh mounts a 1 MB tmpfs there, which needs root)";
        m_destination = small + L"\\" + m_temp.Path().filename().wstring();
        fs::create_directories(m_destination);
    }
    void TearDown() override
    {
        if (!m_destination.empty())
            fs::remove_all(m_destination);
    }
    std::wstring m_destination;
};

TEST_P(FullDriveTest, WhatDidNotArriveStaysAndTheCutOffCopyGoes)
{
    const bool move = GetParam();
    const std::string smallBytes(200 * 1024, 's');
    std::string bigBytes(1536 * 1024, 'b');
    bigBytes[12345] = 'x';
    const std::wstring smallFile = m_temp.MakeFile(L"full\\small.bin", smallBytes);
    const std::wstring bigFile = m_temp.MakeFile(L"full\\big.bin", bigBytes);
    const std::wstring folder = m_temp.MakeFolder(L"full\\folder");
    m_temp.MakeFile(L"full\\folder\\more.bin", std::string(512 * 1024, 'f'));
    MessageBoxRecorder boxes;
    EXPECT_TRUE(Send({smallFile, bigFile, folder}, m_destination, move).sent);

    EXPECT_EQ(FilesUnder(m_destination), (Files{{L"small.bin", smallBytes}}));
    EXPECT_EQ(fs::exists(smallFile), !move);
    EXPECT_EQ(BytesOf(bigFile), bigBytes);
    EXPECT_EQ(FilesUnder(folder), (Files{{L"more.bin", std::string(512 * 1024, 'f')}}));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, L"Not everything was sent. These items did not arrive whole in " + m_destination +
                                       L":\n" + bigFile + L"\n" + folder);
    EXPECT_EQ(boxes.shown[0].type, kWarning);
}

TEST_P(FullDriveTest, FolderCutOffIsTakenAwayAndStaysWhereItWas)
{
    const bool move = GetParam();
    const Files files{{L"one.bin", std::string(600 * 1024, '1')}, {L"sub\\two.bin", std::string(600 * 1024, '2')}};
    for (const auto& [name, bytes] : files)
        m_temp.MakeFile(L"full\\folder\\" + name, bytes);
    const std::wstring folder = Path(L"full\\folder");
    MessageBoxRecorder boxes;
    EXPECT_TRUE(Send({folder}, m_destination, move).sent);

    EXPECT_FALSE(fs::exists(m_destination + L"\\folder"));
    EXPECT_EQ(FilesUnder(folder), files);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              L"Not everything was sent. These items did not arrive whole in " + m_destination + L":\n" + folder);
}

INSTANTIATE_TEST_SUITE_P(CopyAndMove, FullDriveTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Move" : "Copy"; });

// A file of the given size that takes no room: its bytes are never written.
std::wstring MakeSparseFile(const TempDir& temp, const std::wstring& name, uint64_t size)
{
    const std::wstring path = temp.MakeFile(name, "");
    fs::resize_file(path, size);
    return path;
}

// No FAT drive can be made here: the decision is tested on its own, and the
// refusal with the file system name given.
TEST(SendRefusalTest, FileTooLargeForTheDestinationIsNamedEvenInsideAFolder)
{
    TempDir temp;
    const std::wstring folder = temp.MakeFolder(L"films");
    temp.MakeFile(L"films\\notes.txt", "small");
    const std::wstring huge = MakeSparseFile(temp, L"films\\deep\\huge.mkv", 0x100000000ull);
    const std::wstring fits = MakeSparseFile(temp, L"fits.bin", 0xFFFFFFFFull);
    const std::wstring destination = temp.MakeFolder(L"stick");
    const CArrivalCheck check({fits, folder}, destination);
    for (bool move : {false, true}) {
        for (const wchar_t* fat : {L"FAT32", L"fat32", L"FAT"})
            EXPECT_EQ(RefusalText(check.Items(), destination, move, fat),
                      L"Nothing was sent. " + destination + L" is on a " + fat +
                          L" drive, which cannot hold a file of 4 GB or more:\n" + huge);
        for (const wchar_t* other : {L"NTFS", L"exFAT", L""})
            EXPECT_EQ(RefusalText(check.Items(), destination, move, other), L"");
    }
    EXPECT_EQ(RefusalText(CArrivalCheck({fits}, destination).Items(), destination, false, L"FAT32"), L"");
}

TEST(ItemTreeTest, ListsAndRemovesAFileOrAWholeFolder)
{
    TempDir temp;
    const std::wstring folder = temp.MakeFolder(L"tree");
    temp.MakeFile(L"tree\\a.txt", "12345");
    const std::wstring largest = temp.MakeFile(L"tree\\sub\\deeper\\b.txt", "1234567");
    const std::wstring readOnly = temp.MakeFile(L"tree\\sub\\c.txt", "1");
    temp.MakeFolder(L"tree\\empty");
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);

    const std::optional<ItemContents> contents = ListItem(folder);
    ASSERT_TRUE(contents);
    std::map<std::wstring, uint64_t> sizes;
    for (const auto& [name, file] : contents->files)
        sizes[name] = file.bytes;
    EXPECT_EQ(sizes, (std::map<std::wstring, uint64_t>{{L"a.txt", 5}, {L"sub\\deeper\\b.txt", 7}, {L"sub\\c.txt", 1}}));
    EXPECT_EQ(contents->largestFile, 7u);
    EXPECT_EQ(contents->largestFilePath, largest);
    const std::optional<ItemContents> file = ListItem(largest);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->files.size(), 1u);
    EXPECT_EQ(file->files.at(L"").bytes, 7u);
    EXPECT_FALSE(ListItem(folder + L"\\missing"));
    EXPECT_TRUE(ListItem(folder + L"\\empty")->files.empty());

    EXPECT_TRUE(RemoveItem(largest));
    EXPECT_FALSE(fs::exists(largest));
    EXPECT_TRUE(fs::exists(folder + L"\\a.txt"));
    EXPECT_TRUE(RemoveItem(folder));
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(RemoveItem(folder)); // nothing there is nothing left

    // A link inside is taken away as a link: what it leads to stays.
    const std::wstring kept = temp.MakeFile(L"outside\\kept.txt", "kept");
    const std::wstring linking = temp.MakeFolder(L"linking");
    const LinuxFolderLink link(linking, L"out", L"../outside");
    ASSERT_TRUE(link.Made());
    RemoveItem(linking);
    EXPECT_EQ(BytesOf(kept), "kept");
}

TEST(SendChecksTest, WhereItemsLandAndWhichShareAName)
{
    EXPECT_EQ(TargetPath(L"C:\\a\\b.txt", L"D:\\"), L"D:\\b.txt");
    EXPECT_EQ(TargetPath(L"C:\\a\\folder\\", L"D:\\dest"), L"D:\\dest\\folder");
    EXPECT_EQ(TargetPath(L"\\\\?\\C:\\a\\report.", L"D:\\dest"), L"\\\\?\\D:\\dest\\report.");
    EXPECT_EQ(ItemsSharingAName({L"C:\\a\\x", L"C:\\y", L"C:\\b\\X"}), (std::vector<std::wstring>{L"C:\\a\\x", L"C:\\b\\X"}));
}

} // namespace

} // namespace larkway
