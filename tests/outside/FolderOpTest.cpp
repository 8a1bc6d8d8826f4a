#include "outside/pallapath/FolderOp.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// The platform's own answer, asked with the buffer size it says it needs.
std::wstring Platform(DWORD(WINAPI* convert)(LPCWSTR, LPWSTR, DWORD), const std::wstring& path)
{
    std::wstring result(convert(path.c_str(), nullptr, 0), L'\0');
    result.resize(convert(path.c_str(), result.data(), static_cast<DWORD>(result.size())));
    return result;
}

// A folder with a long name holding a file with a long name, under the temp
// folder in its long form.
class FolderOpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_base = Platform(&::GetLongPathNameW, m_temp.Path().wstring());
        m_folder = m_base + L"\\Folder with a long name";
        m_file = m_folder + L"\\A file with a long name.text";
        m_temp.MakeFile(L"Folder with a long name\\A file with a long name.text");
    }

    testing_support::TempDir m_temp;
    std::wstring m_base, m_folder, m_file;
    CFolderOp m_op;
};

TEST_F(FolderOpTest, ShortFormsOfAFileAndAFolderMapBackToTheLongOnes)
{
    for (const std::wstring& path : {m_file, m_folder}) {
        SCOPED_TRACE(path);
        std::wstring shortForm = m_op.GetShortFileName(path);
        EXPECT_EQ(shortForm, Platform(&::GetShortPathNameW, path));
        // The last component got an 8.3 name of its own.
        std::wstring shortName = shortForm.substr(shortForm.rfind(L'\\') + 1);
        EXPECT_LE(shortName.size(), 12u) << shortName;
        EXPECT_EQ(shortName.find(L' '), std::wstring::npos) << shortName;
        EXPECT_EQ(m_op.GetLongFileName(shortForm), path);
    }
    // Only a short folder name in the path: every component comes back long.
    EXPECT_EQ(m_op.GetLongFileName(m_op.GetShortFileName(m_folder) + L"\\A file with a long name.text"), m_file);
    EXPECT_EQ(m_op.GetLongFileName(m_file), m_file);
}

TEST_F(FolderOpTest, PathsLongerThanMaxPath)
{
    // Deep enough that both forms pass 260 characters. (Wine's own
    // GetLongPathNameW overruns its stack beyond 1024 characters.)
    std::wstring deep = m_base;
    for (int i = 0; i < 25; ++i) {
        deep += L"\\Level with a long name.part " + std::to_wstring(i);
        ASSERT_TRUE(::CreateDirectoryW(deep.c_str(), nullptr)) << deep.size();
    }
    std::wstring shortForm = Platform(&::GetShortPathNameW, deep);
    ASSERT_GT(shortForm.size(), static_cast<size_t>(MAX_PATH));
    EXPECT_EQ(m_op.GetShortFileName(deep), shortForm);
    EXPECT_EQ(m_op.GetLongFileName(shortForm), deep);
}

TEST_F(FolderOpTest, MissingPathsAndDriveRoots)
{
    std::wstring missing = m_base + L"\\Not here at all\\nor this.txt";
    EXPECT_EQ(m_op.GetLongFileName(missing), missing);
    EXPECT_EQ(m_op.GetShortFileName(missing), L"");
    EXPECT_EQ(m_op.GetLongFileName(L"C:\\"), L"C:\\");
    EXPECT_EQ(m_op.GetShortFileName(L"C:\\"), L"C:\\");
}

TEST(FolderOp, ParentDir)
{
    const std::vector<std::pair<const wchar_t*, const wchar_t*>> cases = {
        {L"C:\\a\\b.txt", L"C:\\a"},
        {L"C:\\a\\b\\c", L"C:\\a\\b"},
        {L"C:\\a", L"C:\\"},
        {L"C:\\", L"C:\\"},
        // Trailing and doubled backslashes name the same folder.
        {L"C:\\a\\b\\", L"C:\\a"},
        {L"C:\\a\\\\", L"C:\\"},
        {L"C:\\a\\\\b", L"C:\\a"},
        // Network and prefixed roots are kept whole.
        {L"\\\\server\\share\\a\\b.txt", L"\\\\server\\share\\a"},
        {L"\\\\server\\share\\a", L"\\\\server\\share\\"},
        {L"\\\\server\\share", L"\\\\server\\share"},
        {L"\\\\?\\C:\\a", L"\\\\?\\C:\\"},
        // A bare name has no folder.
        {L"a\\b.txt", L"a"},
        {L"b.txt", L""},
        {L"", L""},
    };
    CFolderOp op;
    for (const auto& [path, parent] : cases)
        EXPECT_EQ(op.GetParentDir(path), parent) << path;
}

} // namespace
