#include "controls/PathList.h"

#include <gtest/gtest.h>

namespace {

TEST(PathList, MultiStringHoldsEachPathThenOneMoreNulFollowsTheListAndCopiesKeepEvenAnEmptyPath)
{
    CPathList list;
    EXPECT_EQ(std::wstring(list.GetMultiString(), 2), std::wstring(L"\0\0", 2));
    ASSERT_TRUE(list.Add(L"C:\\a.txt"));
    ASSERT_TRUE(list.Add(L"D:\\folder"));
    EXPECT_EQ(std::wstring(list.GetMultiString(), 20), std::wstring(L"C:\\a.txt\0D:\\folder\0\0", 20));
    list.Add(L"C:\\later");
    EXPECT_EQ(std::wstring(list.GetMultiString(), 29), std::wstring(L"C:\\a.txt\0D:\\folder\0C:\\later\0\0", 29));
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(list.GetAt(3), nullptr);
    list.RemoveAll();
    // Read from a multi-string, a list stops at the first empty string.
    EXPECT_TRUE(list.AddMultiString(L"\0C:\\ignored\0"));
    EXPECT_EQ(std::wstring(list.GetMultiString(), 2), std::wstring(L"\0\0", 2));
    EXPECT_TRUE(list.AddMultiString(L"C:\\one\0C:\\two\0\0C:\\after-end\0"));
    EXPECT_EQ(std::wstring(list.GetMultiString(), 15), std::wstring(L"C:\\one\0C:\\two\0\0", 15));

    CPathList source, assigned; // copied path by path, independent of each other
    for (const wchar_t* path : {L"C:\\first", L"", L"C:\\third"})
        source.Add(path);
    const wchar_t* sourceBuffer = source.GetMultiString();
    assigned.Add(L"C:\\old");
    assigned = source;
    CPathList copied(source);
    for (CPathList* copy : {&assigned, &copied})
        EXPECT_EQ(std::wstring(copy->GetMultiString(), 20), std::wstring(L"C:\\first\0\0C:\\third\0\0", 20));
    copied.Add(L"C:\\fourth"); // the source, its buffer too, stays; the copies change alone
    assigned.RemoveAll();
    EXPECT_EQ(source.GetCount(), 3);
    EXPECT_EQ(std::wstring(sourceBuffer, 10), std::wstring(L"C:\\first\0\0", 10));
}

} // namespace
