#include "outside/pallashell/SHFileOperation.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Files = std::map<std::wstring, std::string>;

// What the tests pass where no person is there to answer.
const FILEOP_FLAGS kUnattended = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT | FOF_NOCONFIRMMKDIR;

std::string BytesOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file under a folder, by its path relative to the folder, with its bytes.
Files FilesUnder(const fs::path& folder)
{
    Files files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).wstring()] = BytesOf(entry.path());
    return files;
}

// The source list form: each path NUL-terminated, one more NUL at the end.
std::wstring MultiString(const std::vector<std::wstring>& paths)
{
    std::wstring multi;
    for (const std::wstring& path : paths)
        multi += path + L'\0';
    return multi + L'\0';
}

// Two files and a folder with nested files, as a typical selection.
class FileOperationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_sources = MultiString({m_temp.MakeFile(L"src\\alpha.txt", "alpha bytes"),
                                 m_temp.MakeFile(L"src\\\u00e9t\u00e9 \u65e5.dat", std::string("bra\0vo", 6)),
                                 m_temp.MakeFolder(L"src\\charlie")});
        m_temp.MakeFile(L"src\\charlie\\inner.txt", "inner");
        m_temp.MakeFile(L"src\\charlie\\deeper\\delta.txt", "delta");
    }

    std::wstring Path(const std::wstring& relative) const { return (m_temp.Path() / relative).wstring(); }

    FileOperationResult Send(bool move, const std::wstring& sources, const std::wstring& destination,
                             FILEOP_FLAGS flags = kUnattended)
    {
        return move ? m_op.MoveFiles(nullptr, sources.c_str(), destination, flags, L"Moving...")
                    : m_op.CopyFiles(nullptr, sources.c_str(), destination, flags, L"Copying...");
    }

    const Files m_selection = {{L"alpha.txt", "alpha bytes"},
                               {L"\u00e9t\u00e9 \u65e5.dat", std::string("bra\0vo", 6)},
                               {L"charlie\\inner.txt", "inner"},
                               {L"charlie\\deeper\\delta.txt", "delta"}};
    testing_support::TempDir m_temp;
    std::wstring m_sources;
    CSHFileOperation m_op;
};

// Copy or move; into an existing folder (also named with a closing
// backslash, as a drive root is) or into a missing nested one.
class SendTest : public FileOperationTest, public ::testing::WithParamInterface<std::tuple<bool, const wchar_t*>> {};

TEST_P(SendTest, SeveralItemsArriveWhole)
{
    const auto [move, destination] = GetParam();
    m_temp.MakeFolder(L"existing");
    EXPECT_EQ(Send(move, m_sources, Path(destination)), FileOperationResult::Done);
    EXPECT_EQ(FilesUnder(Path(destination)), m_selection);
    // A move leaves nothing behind; a copy leaves the sources alone.
    EXPECT_EQ(FilesUnder(Path(L"src")), move ? Files() : m_selection);
    EXPECT_EQ(fs::exists(Path(L"src\\charlie")), !move);
}

INSTANTIATE_TEST_SUITE_P(CopyAndMove, SendTest,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(L"existing", L"existing\\", L"new\\nested")));

TEST_F(FileOperationTest, OneFileIntoAMissingFolderLandsInsideIt)
{
    // A plain shell copy would give the file the folder's name instead.
    for (bool move : {false, true}) {
        SCOPED_TRACE(move ? "move" : "copy");
        std::wstring list = MultiString({m_temp.MakeFile(L"one.txt", "one")});
        EXPECT_EQ(Send(move, list, Path(L"new")), FileOperationResult::Done);
        EXPECT_EQ(FilesUnder(Path(L"new")), (Files{{L"one.txt", "one"}}));
        EXPECT_EQ(fs::exists(Path(L"one.txt")), !move);
        fs::remove_all(Path(L"new"));
    }
}

TEST_F(FileOperationTest, CallersFlagsAreKeptAndCancelIsAborted)
{
    // Without FOF_NOCONFIRMATION the shell asks before it overwrites.
    std::wstring destination = m_temp.MakeFolder(L"dest");
    m_temp.MakeFile(L"dest\\alpha.txt", "old bytes");
    testing_support::DialogAnswerer cancel(IDCANCEL); // the shell's overwrite question
    EXPECT_EQ(Send(false, MultiString({Path(L"src\\alpha.txt")}), destination, FOF_NOERRORUI | FOF_SILENT),
              FileOperationResult::Aborted);
    EXPECT_EQ(cancel.Asked(), 1);
    EXPECT_EQ(FilesUnder(destination), (Files{{L"alpha.txt", "old bytes"}}));
}

TEST_F(FileOperationTest, MissingSourceIsNotDone)
{
    std::wstring destination = m_temp.MakeFolder(L"dest");
    std::wstring list = MultiString({Path(L"src\\alpha.txt"), Path(L"src\\missing.txt")});
    for (bool move : {false, true}) {
        SCOPED_TRACE(move ? "move" : "copy");
        FileOperationResult result = Send(move, list, destination);
        EXPECT_NE(result, FileOperationResult::Done);
        // The file that exists is not lost: still in its place, or arrived whole.
        EXPECT_EQ(BytesOf(fs::exists(Path(L"src\\alpha.txt")) ? Path(L"src\\alpha.txt") : Path(L"dest\\alpha.txt")),
                  "alpha bytes");
    }
}

TEST_F(FileOperationTest, NothingHappensForAnEmptySelectionOrADriveRootSource)
{
    EXPECT_EQ(Send(false, MultiString({}), Path(L"new")), FileOperationResult::Done);
    EXPECT_EQ(Send(true, MultiString({}), Path(L"new")), FileOperationResult::Done);
    EXPECT_FALSE(fs::exists(Path(L"new")));

    // A root has no name to copy under: the whole drive must not be poured
    // into the destination. The letter need not exist.
    EXPECT_EQ(Send(false, MultiString({Path(L"src\\alpha.txt"), L"Q:\\"}), Path(L"new")),
              FileOperationResult::Failed);
    EXPECT_FALSE(fs::exists(Path(L"new")));
}

TEST_F(FileOperationTest, DestinationThatIsAFileFails)
{
    std::wstring destination = m_temp.MakeFile(L"occupied", "a file");
    EXPECT_EQ(Send(true, m_sources, destination), FileOperationResult::Failed);
    EXPECT_EQ(FilesUnder(Path(L"src")), m_selection);
    EXPECT_EQ(BytesOf(destination), "a file");
}

TEST_F(FileOperationTest, CreateFolders)
{
    std::wstring nested = Path(L"one\\two\\three");
    EXPECT_TRUE(m_op.CreateFolders(nested));
    EXPECT_TRUE(fs::is_directory(nested));
    EXPECT_TRUE(m_op.CreateFolders(nested)); // existing already is success
    // Below a file, or where a file stands, there can be no folder.
    std::wstring file = Path(L"src\\alpha.txt");
    EXPECT_FALSE(m_op.CreateFolders(file + L"\\sub"));
    EXPECT_FALSE(m_op.CreateFolders(file));
    EXPECT_EQ(BytesOf(file), "alpha bytes");
}

} // namespace
