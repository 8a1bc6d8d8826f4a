#include "framework/Handle.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(Handles, AFindHandleIsEmptyWhenTheSearchFindsNothing)
{
    testing_support::TempDir dir;
    dir.MakeFile(L"a.txt");
    WIN32_FIND_DATAW found{};
    fx::CFindHandle none(::FindFirstFileW((dir.Path() / L"*.none").wstring().c_str(), &found));
    EXPECT_FALSE(none);
    EXPECT_EQ(none.Get(), INVALID_HANDLE_VALUE);

    fx::CFindHandle search(::FindFirstFileW((dir.Path() / L"*.txt").wstring().c_str(), &found));
    ASSERT_TRUE(search);
    EXPECT_STREQ(found.cFileName, L"a.txt");
    fx::CFindHandle moved(std::move(search));
    EXPECT_FALSE(search);
    EXPECT_FALSE(::FindNextFileW(moved.Get(), &found)); // the search goes on in its new owner
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
}

} // namespace
