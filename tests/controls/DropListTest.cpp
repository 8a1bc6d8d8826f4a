#include "controls/DropList.h"
#include "framework/Handle.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace testing_support;

TEST(DropList, ReadsEveryPathWholeWhateverItsLengthOrScript)
{
    std::wstring longPath = L"C:\\" + std::wstring(300, L'n') + L"\\file.txt";
    std::vector<std::wstring> paths{L"C:\\plain.txt", longPath, L"C:\\Ünïcødé\\日本語 файл.txt"};
    fx::CGlobalMemory list(MakeDropList(paths));
    EXPECT_EQ(ReadDropList(static_cast<HDROP>(list.Get())), paths);
}

TEST(DropList, TakingTheListEmptiesTheClipboard)
{
    PutDropListOnClipboard({L"C:\\a.txt", L"C:\\b.txt"});
    auto paths = TakeClipboardDropList();
    ASSERT_TRUE(paths.has_value());
    EXPECT_EQ(*paths, (std::vector<std::wstring>{L"C:\\a.txt", L"C:\\b.txt"}));
    EXPECT_TRUE(ClipboardIsEmpty());
}

TEST(DropList, AnsiListIsReadToo)
{
    PutAnsiDropListOnClipboard({"C:\\ansi one.txt", "C:\\two"});
    auto paths = TakeClipboardDropList();
    ASSERT_TRUE(paths.has_value());
    EXPECT_EQ(*paths, (std::vector<std::wstring>{L"C:\\ansi one.txt", L"C:\\two"}));
}

TEST(DropList, TextIsClearedAndGivesNoList)
{
    PutTextOnClipboard(L"not a file list");
    EXPECT_FALSE(TakeClipboardDropList().has_value());
    EXPECT_TRUE(ClipboardIsEmpty());
}

} // namespace
