// The send itself, as the shell carries it out: what arrives, what stays, what the user is told.
#include "sendto/ArrivalCheck.h"
#include "sendto/ItemTree.h"
#include "sendto/SendOperation.h"
#include "sendto/SendRefusal.h"
#include "tests/sendto/LarkwayFixture.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <map>

namespace larkway {

namespace {

namespace fs = std::filesystem;
using namespace testing_support;
using Files = std::map<std::wstring, std::string>;
using Texts = std::vector<std::wstring>;

// No person answers the shell; or its own questions stay on, for the test to answer.
const FILEOP_FLAGS kUnattended = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
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

Texts Shown(const MessageBoxRecorder& boxes)
{
    Texts texts;
    for (const auto& box : boxes.shown)
        texts.push_back(box.text);
    return texts;
}

Texts NotArrived(const std::wstring& dest, const std::wstring& items)
{
    return {L"Not everything was sent. These items did not arrive whole in " + dest + L":\n" + items};
}

// Two files and a folder with nested files; sent as a copy or, with the parameter, as a move.
class SendOperationTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        for (const auto& [name, bytes] : m_files)
            m_temp.MakeFile(L"src\\" + name, bytes);
        m_selection = {Path(L"src\\alpha.txt"), Path(L"src\\\u00e9t\u00e9 \u65e5.dat"), Path(L"src\\charlie")};
    }
    std::wstring Path(const std::wstring& relative) const { return (m_temp.Path() / relative).wstring(); }
    SendOutcome Send(const std::vector<std::wstring>& sources, const std::wstring& destination,
                     FILEOP_FLAGS flags = kUnattended)
    {
        return CSendOperation(flags).Send(nullptr, sources, destination, m_move);
    }
    const bool m_move = GetParam();
    const Files m_files = {{L"alpha.txt", "alpha bytes"}, {L"charlie\\inner.txt", "inner"},
                           {L"charlie\\deeper\\delta.txt", "delta"},
                           {L"\u00e9t\u00e9 \u65e5.dat", std::string("bra\0vo", 6)}};
    TempDir m_temp;
    std::vector<std::wstring> m_selection;
};

// Onto a folder (a trailing backslash dropped) or a drive root (H:, which keeps it); a folder
// onto one of the same name is merged into it; a missing folder is made on Yes only.
TEST_P(SendOperationTest, EveryItemArrivesWholeWithoutAWordAndAMissingFolderIsMadeOnYes)
{
    const std::wstring dest = m_temp.MakeFolder(L"dest");
    m_temp.MakeFile(L"dest\\charlie\\theirs.txt", "theirs");
    Files arrived = m_files;
    arrived[L"charlie\\theirs.txt"] = "theirs";
    const std::wstring onRoot = L"H:\\" + m_temp.Path().filename().wstring();
    m_temp.MakeFile(L"root\\" + fs::path(onRoot).filename().wstring() + L"\\file.txt", "on the root");
    const std::wstring rootItem = Path(L"root\\" + fs::path(onRoot).filename().wstring());
    MessageBoxRecorder boxes;
    const SendOutcome outcome = Send(m_selection, dest + L"\\");
    EXPECT_TRUE(outcome.sent);
    EXPECT_EQ(outcome.destination, dest);
    EXPECT_EQ(FilesUnder(dest), arrived);
    EXPECT_EQ(FilesUnder(Path(L"src")), m_move ? Files() : m_files);
    EXPECT_EQ(fs::exists(Path(L"src\\charlie")), !m_move);
    const SendOutcome toRoot = Send({rootItem}, L"H:\\");
    EXPECT_TRUE(toRoot.sent);
    EXPECT_EQ(toRoot.destination, L"H:\\");
    EXPECT_EQ(FilesUnder(onRoot), (Files{{L"file.txt", "on the root"}}));
    EXPECT_EQ(fs::exists(rootItem), !m_move);
    fs::remove_all(onRoot);
    EXPECT_EQ(Shown(boxes), Texts{});
    m_temp.MakeFile(L"src\\alpha.txt", "alpha bytes");
    const std::vector<std::wstring> one{m_selection[0]};
    const std::wstring folder = Path(L"new\\deeper");
    const std::wstring question = L"The Folder " + folder + L" does not exist.\nDo you want to create it?";
    boxes.answer = IDNO;
    const SendOutcome no = Send(one, folder + L"\\");
    EXPECT_FALSE(no.sent);
    EXPECT_EQ(no.destination, folder);
    ASSERT_EQ(Shown(boxes), Texts{question});
    EXPECT_EQ(boxes.shown[0].caption, L"Create Folder?");
    EXPECT_EQ(boxes.shown[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_FALSE(fs::exists(Path(L"new")));
    boxes.shown.clear();
    // Typed with a trailing space: the platform reads the name without it, as the send does.
    boxes.answer = IDYES;
    const SendOutcome yes = Send(one, folder + L" ");
    EXPECT_TRUE(yes.sent);
    EXPECT_EQ(yes.destination, folder);
    EXPECT_EQ(Shown(boxes), Texts{question});
    EXPECT_EQ(FilesUnder(folder), (Files{{L"alpha.txt", "alpha bytes"}}));
    EXPECT_EQ(fs::exists(one[0]), !m_move);
}

// Each refusal says why in one message, asks nothing (under Wine a move of two same-named items
// replaces the first unasked) and leaves every item where it was; a folder is never sent into
// itself however the destination is written (the shell would nest copies).
TEST_P(SendOperationTest, EachRefusalSaysWhyAndSendsNothing)
{
    const std::wstring dest = m_temp.MakeFolder(L"dest");
    const std::wstring gone = Path(L"src\\gone.txt");
    const std::wstring same = m_temp.MakeFile(L"other\\ALPHA.TXT", "other");
    const std::wstring charlie = Path(L"src\\charlie");
    std::wstring shortCharlie(1024, L'\0');
    shortCharlie.resize(::GetShortPathNameW(charlie.c_str(), shortCharlie.data(), 1024));
    std::wstring shouted = charlie;
    for (wchar_t& c : shouted)
        c = c == L'\\' ? L'/' : static_cast<wchar_t>(::towupper(c));
    const DriveLetterLink letter(charlie);
    m_temp.MakeFolder(L"elsewhere");
    const LinuxFolderLink intoCharlie(Path(L"elsewhere"), L"link", L"../src/charlie");
    const LinuxFolderLink aboveCharlie(Path(L"elsewhere"), L"up", L"../src");
    ASSERT_TRUE(letter.Made() && intoCharlie.Made() && aboveCharlie.Made());
    const std::wstring intoItself =
        L"Nothing was sent. A folder cannot be sent into itself or into a folder inside it:\n" + charlie;
    struct Case { std::vector<std::wstring> sources; std::wstring destination, message; UINT type; };
    std::vector<Case> cases = {
        {m_selection, L"Q:\\", L"Invalid Drive", MB_OK}, // a drive root with no drive
        {m_selection, L"backup\\", L"Nothing was sent. backup is not a full folder path.", kWarning},
        {m_selection, Path(L"src"),
         L"Nothing was sent. These items are already in " + Path(L"src") + L" and would be " +
             (m_move ? L"moved" : L"copied") + L" onto themselves:\n" + m_selection[0] + L"\n" + m_selection[1] +
             L"\n" + m_selection[2], kWarning},
        {{m_selection[0], gone}, dest, L"Nothing was sent. These items no longer exist:\n" + gone, kWarning},
        {{m_selection[0], m_selection[2], same}, dest,
         L"Nothing was sent. These items have the same name and would replace each other in " + dest + L":\n" +
             m_selection[0] + L"\n" + same, kWarning}};
    for (const std::wstring& destination :
         {charlie, charlie + L"\\deeper", charlie + L"\\deeper\\new", shortCharlie + L"\\new\\tail",
          shouted + L"/deeper", L"\\\\?\\" + charlie + L"\\deeper", letter.Root() + L"new",
          Path(L"elsewhere\\link\\new"), Path(L"elsewhere\\up\\charlie\\deeper\\new")})
        cases.push_back({m_selection, destination, intoItself, kWarning});
    for (const auto& refused : cases) {
        SCOPED_TRACE(testing::PrintToString(refused.destination + L": " + refused.message));
        DialogAnswerer shell(IDYES);
        MessageBoxRecorder boxes(IDYES);
        EXPECT_FALSE(Send(refused.sources, refused.destination, kAsking).sent);
        EXPECT_EQ(shell.Asked(), 0);
        ASSERT_EQ(Shown(boxes), Texts{refused.message});
        EXPECT_EQ(boxes.shown[0].type, refused.type);
        EXPECT_EQ(FilesUnder(Path(L"src")), m_files);
        EXPECT_EQ(FilesUnder(dest), Files());
        EXPECT_EQ(BytesOf(same), "other");
        EXPECT_FALSE(fs::exists(charlie + L"\\new"));
    }
}

// The send fills a drive of 1 MB: the shell reports success and leaves a cut-off copy,
// which goes when this send made it; what did not arrive stays where it was.
TEST_P(SendOperationTest, OnAFullDriveWhatDidNotArriveStaysAndTheCutOffCopyGoes)
{
    const std::wstring small = WindowsPath(TEST_DRIVES_DIR "/small");
    ULARGE_INTEGER total{};
    if (!::GetDiskFreeSpaceExW((small + L"\\").c_str(), nullptr, &total, nullptr) || total.QuadPart > 4 * 1024 * 1024)
        GTEST_SKIP() << "no small file system at " << fs::path(small).string()
                     << " (tools/wine-env.sh mounts a 1 MB tmpfs there, which needs root)";
    const std::wstring dest = small + L"\\" + m_temp.Path().filename().wstring();
    fs::create_directories(dest);
    const std::string smallBytes(200 * 1024, 's');
    std::string bigBytes(1536 * 1024, 'b');
    bigBytes[12345] = 'x';
    const std::wstring smallFile = m_temp.MakeFile(L"full\\small.bin", smallBytes);
    const std::wstring bigFile = m_temp.MakeFile(L"full\\big.bin", bigBytes);
    const Files inFolder{{L"one.bin", std::string(600 * 1024, '1')}, {L"sub\\two.bin", std::string(300 * 1024, '2')}};
    for (const auto& [name, bytes] : inFolder)
        m_temp.MakeFile(L"full\\folder\\" + name, bytes);
    const std::wstring folder = m_temp.Path().wstring() + L"\\full\\folder";
    MessageBoxRecorder boxes;
    EXPECT_TRUE(Send({smallFile, bigFile, folder}, dest).sent);
    EXPECT_EQ(FilesUnder(dest), (Files{{L"small.bin", smallBytes}}));
    EXPECT_EQ(fs::exists(smallFile), !m_move);
    EXPECT_EQ(BytesOf(bigFile), bigBytes);
    EXPECT_EQ(FilesUnder(folder), inFolder);
    EXPECT_EQ(Shown(boxes), NotArrived(dest, bigFile + L"\n" + folder));
    EXPECT_EQ(boxes.shown[0].type, kWarning);
    // A folder cut off inside is taken away whole.
    boxes.shown.clear();
    EXPECT_TRUE(Send({folder}, dest).sent);
    EXPECT_FALSE(fs::exists(dest + L"\\folder"));
    EXPECT_EQ(FilesUnder(folder), inFolder);
    EXPECT_EQ(Shown(boxes), NotArrived(dest, folder));
    // A cut-off copy over a file that was there before is not this send's to take away.
    boxes.shown.clear();
    std::ofstream(fs::path(dest + L"\\big.bin")) << "old";
    EXPECT_TRUE(Send({bigFile}, dest).sent);
    EXPECT_TRUE(fs::exists(dest + L"\\big.bin"));
    EXPECT_EQ(BytesOf(bigFile), bigBytes);
    EXPECT_EQ(Shown(boxes), NotArrived(dest, bigFile));
    fs::remove_all(dest);
}

INSTANTIATE_TEST_SUITE_P(CopyAndMove, SendOperationTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Move" : "Copy"; });

// A link is sent as what it leads to; a cut-off copy's clean-up takes a folder away whole,
// read-only files and all, and a link inside as a link, not what it leads to.
TEST(CheckTest, ALinkIsSentAsWhatItLeadsToAFileThereBeforeCountsWhenReplacedAndFatTakesNo4GBFile)
{
    TempDir temp;
    temp.MakeFile(L"real\\linked.txt", "linked");
    temp.MakeFile(L"charlie\\inner.txt", "inner");
    const std::wstring root = temp.Path().wstring(), dest = temp.MakeFolder(L"dest");
    const LinuxFolderLink selectedLink(root, L"shortcut", L"real");
    const LinuxFolderLink linkInside(root + L"\\charlie", L"inside", L"../real");
    ASSERT_TRUE(selectedLink.Made() && linkInside.Made());
    MessageBoxRecorder boxes;
    EXPECT_TRUE(CSendOperation(kUnattended).Send(nullptr, {root + L"\\shortcut", root + L"\\charlie"}, dest, false).sent);
    EXPECT_EQ(Shown(boxes), Texts{});
    EXPECT_EQ(FilesUnder(dest), (Files{{L"shortcut\\linked.txt", "linked"}, {L"charlie\\inner.txt", "inner"},
                                       {L"charlie\\inside\\linked.txt", "linked"}}));
    ::SetFileAttributesW((dest + L"\\charlie\\inner.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(RemoveItem(dest + L"\\charlie"));
    EXPECT_EQ(FilesUnder(dest), (Files{{L"shortcut\\linked.txt", "linked"}}));
    RemoveItem(root + L"\\charlie");
    EXPECT_EQ(BytesOf(root + L"\\real\\linked.txt"), "linked");
    // A file already at the destination: the shell asks; the answer decides what arrived, and
    // the old file is not this send's to take away.
    const std::wstring source = temp.MakeFile(L"alpha.txt", "alpha bytes");
    const std::wstring there = temp.MakeFolder(L"there");
    const std::wstring old = temp.MakeFile(L"there\\alpha.txt", "OLD bytes!!"); // as long as the source
    // Older than the source, as a file left from earlier work is.
    fs::last_write_time(old, fs::last_write_time(old) - std::chrono::hours(24 * 365));
    const std::tuple<int, Texts, std::string> answers[] = {{IDNO, NotArrived(there, source), "OLD bytes!!"},
                                                            {IDYES, {}, "alpha bytes"}};
    for (const auto& [answer, message, bytes] : answers) {
        DialogAnswerer shell(answer);
        MessageBoxRecorder boxes;
        EXPECT_TRUE(CSendOperation(kAsking).Send(nullptr, {source}, there, false).sent);
        EXPECT_EQ(shell.Asked(), 1);
        EXPECT_EQ(Shown(boxes), message);
        EXPECT_EQ(BytesOf(old), bytes);
    }
    // No FAT drive can be made here: the decision is tested on its own, with the file system's
    // name given. A file of 4 GB is named even inside a folder.
    const std::wstring folder = temp.MakeFolder(L"films");
    const std::wstring huge = temp.MakeFile(L"films\\deep\\huge.mkv"), fits = temp.MakeFile(L"fits.bin");
    fs::resize_file(huge, 0x100000000ull);
    fs::resize_file(fits, 0xFFFFFFFFull);
    const std::wstring stick = temp.MakeFolder(L"stick");
    const CArrivalCheck check({fits, folder}, stick);
    const std::pair<const wchar_t*, bool> systems[] = {{L"FAT32", true}, {L"fat32", true}, {L"FAT", true},
                                                        {L"NTFS", false}, {L"exFAT", false}, {L"", false}};
    for (const auto& [system, refused] : systems)
        EXPECT_EQ(RefusalText(check.Items(), stick, refused, system),
                  refused ? L"Nothing was sent. " + stick + L" is on a " + system +
                                L" drive, which cannot hold a file of 4 GB or more:\n" + huge
                          : L"");
    EXPECT_EQ(RefusalText(CArrivalCheck({fits}, stick).Items(), stick, false, L"FAT32"), L"");
}

} // namespace

} // namespace larkway
