#include "controls/PathList.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The multi-string as a vector of its characters, up to and including the end mark.
std::wstring Bytes(const wchar_t* multi)
{
    const wchar_t* p = multi;
    while (*p)
        p += std::wstring(p).size() + 1;
    return std::wstring(multi, static_cast<size_t>(p - multi) + 1);
}

TEST(PathList, EmptyListGivesTwoNuls)
{
    CPathList list;
    const wchar_t* multi = list.GetMultiString();
    EXPECT_EQ(multi[0], L'\0');
    EXPECT_EQ(multi[1], L'\0');
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(PathList, MultiStringHoldsEachPathThenOneMoreNul)
{
    CPathList list;
    ASSERT_TRUE(list.Add(L"C:\\a.txt"));
    ASSERT_TRUE(list.Add(L"D:\\folder"));
    EXPECT_EQ(Bytes(list.GetMultiString()), std::wstring(L"C:\\a.txt\0D:\\folder\0\0", 20));
}

TEST(PathList, AddMultiStringStopsAtTheEmptyString)
{
    CPathList list;
    EXPECT_TRUE(list.AddMultiString(L"\0C:\\ignored\0"));
    EXPECT_EQ(list.GetCount(), 0);

    EXPECT_TRUE(list.AddMultiString(L"C:\\one\0C:\\two\0\0C:\\after-end\0"));
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_STREQ(list.GetAt(0), L"C:\\one");
    EXPECT_STREQ(list.GetAt(1), L"C:\\two");
}

TEST(PathList, GetAtOutOfRangeIsNull)
{
    CPathList list;
    list.Add(L"C:\\x");
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(list.GetAt(list.GetCount()), nullptr);
    EXPECT_STREQ(list.GetAt(0), L"C:\\x");
}

TEST(PathList, RepeatedGetMultiStringGivesEqualContents)
{
    CPathList list;
    list.Add(L"C:\\a");
    list.Add(L"C:\\b c");
    std::wstring first = Bytes(list.GetMultiString());
    std::wstring second = Bytes(list.GetMultiString());
    EXPECT_EQ(first, second);
    // The buffer reflects the list as it stood when built.
    list.Add(L"C:\\later");
    EXPECT_EQ(Bytes(list.GetMultiString()), std::wstring(L"C:\\a\0C:\\b c\0C:\\later\0\0", 22));
}

TEST(PathList, AssignmentAndCopyAreIndependent)
{
    CPathList source;
    source.Add(L"C:\\first");
    source.Add(L"C:\\second");
    const wchar_t* sourceBuffer = source.GetMultiString();

    CPathList assigned;
    assigned.Add(L"C:\\old");
    assigned = source;
    CPathList copied(source);

    for (const CPathList* list : {&assigned, &copied}) {
        ASSERT_EQ(list->GetCount(), 2);
        EXPECT_STREQ(list->GetAt(0), L"C:\\first");
        EXPECT_STREQ(list->GetAt(1), L"C:\\second");
    }
    // The source is unchanged, its buffer too, and the copies change alone.
    EXPECT_EQ(source.GetCount(), 2);
    EXPECT_EQ(Bytes(sourceBuffer), std::wstring(L"C:\\first\0C:\\second\0\0", 20));
    copied.Add(L"C:\\third");
    assigned.RemoveAll();
    EXPECT_EQ(source.GetCount(), 2);
    EXPECT_EQ(copied.GetCount(), 3);
    EXPECT_NE(copied.GetMultiString(), sourceBuffer);
}

TEST(PathList, AssignmentKeepsEveryPathEvenAnEmptyOne)
{
    CPathList source;
    for (const wchar_t* path : {L"C:\\a", L"", L"C:\\c"})
        source.Add(path);
    CPathList copy;
    copy.Add(L"C:\\old");
    copy = source;
    ASSERT_EQ(copy.GetCount(), 3);
    EXPECT_STREQ(copy.GetAt(0), L"C:\\a");
    EXPECT_STREQ(copy.GetAt(1), L"");
    EXPECT_STREQ(copy.GetAt(2), L"C:\\c");
}

TEST(PathList, RemoveAllEmptiesTheList)
{
    CPathList list;
    list.Add(L"C:\\a");
    list.GetMultiString();
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(Bytes(list.GetMultiString()), std::wstring(L"\0", 1));
}

} // namespace
