#include "outside/pallapath/FolderOp.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// The platform's own answer, asked with the buffer size it says it needs.
std::wstring Platform(DWORD(WINAPI* convert)(LPCWSTR, LPWSTR, DWORD), const std::wstring& path)
{
    std::wstring result(convert(path.c_str(), nullptr, 0), L'\0');
    result.resize(convert(path.c_str(), result.data(), static_cast<DWORD>(result.size())));
    return result;
}

TEST(FolderOp, ShortFormsMapBackToTheLongOnesAtAnyLength)
{
    testing_support::TempDir temp;
    const std::wstring base = Platform(&::GetLongPathNameW, temp.Path().wstring());
    const std::wstring folder = base + L"\\Folder with a long name", file = folder + L"\\A file with a long name.text";
    temp.MakeFile(L"Folder with a long name\\A file with a long name.text");
    // Deep enough that both forms pass 260 characters. (Wine's own
    // GetLongPathNameW overruns its stack beyond 1024 characters.)
    std::wstring deep = base;
    for (int i = 0; i < 25; ++i) {
        deep += L"\\Level with a long name.part " + std::to_wstring(i);
        ASSERT_TRUE(::CreateDirectoryW(deep.c_str(), nullptr)) << deep.size();
    }
    CFolderOp op;
    for (const std::wstring& path : {file, folder, deep}) {
        SCOPED_TRACE(path);
        const std::wstring shortForm = op.GetShortFileName(path);
        EXPECT_EQ(shortForm, Platform(&::GetShortPathNameW, path));
        EXPECT_NE(shortForm, path); // the last component got an 8.3 name of its own
        EXPECT_EQ(op.GetLongFileName(shortForm), path);
        EXPECT_EQ(op.GetLongFileName(path), path);
    }
    EXPECT_GT(op.GetShortFileName(deep).size(), static_cast<size_t>(MAX_PATH));
    // Only a short folder name in the path: every component comes back long.
    EXPECT_EQ(op.GetLongFileName(op.GetShortFileName(folder) + L"\\A file with a long name.text"), file);
    const std::wstring missing = base + L"\\Not here at all\\nor this.txt";
    EXPECT_EQ(op.GetLongFileName(missing), missing);
    EXPECT_EQ(op.GetShortFileName(missing), L"");
    EXPECT_EQ(op.GetLongFileName(L"C:\\"), L"C:\\");
    EXPECT_EQ(op.GetShortFileName(L"C:\\"), L"C:\\");
}

TEST(FolderOp, ParentDir)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\a\\b.txt", L"C:\\a"}, {L"C:\\a", L"C:\\"}, {L"C:\\", L"C:\\"},
        // Trailing and doubled backslashes name the same folder.
        {L"C:\\a\\b\\", L"C:\\a"}, {L"C:\\a\\\\", L"C:\\"}, {L"C:\\a\\\\b", L"C:\\a"},
        // Network and prefixed roots are kept whole.
        {L"\\\\server\\share\\a", L"\\\\server\\share\\"}, {L"\\\\server\\share", L"\\\\server\\share"},
        {L"\\\\?\\C:\\a", L"\\\\?\\C:\\"},
        // A bare name has no folder.
        {L"a\\b.txt", L"a"}, {L"b.txt", L""}, {L"", L""},
    };
    for (const auto& [path, parent] : cases)
        EXPECT_EQ(CFolderOp().GetParentDir(path), parent) << path;
}

} // namespace
