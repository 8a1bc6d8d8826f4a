#include "properties/FileTypeStats.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace fennix;

namespace {

// The patterns of a filter, and the row each name counts under, ignoring case (-1: none).
TEST(FileTypeStats, PatternsOfTheFilterAndTheTypeOfEachName)
{
    using Names = std::vector<std::pair<const wchar_t*, int>>;
    const std::tuple<const wchar_t*, std::vector<std::wstring>, Names> cases[] = {
        // Patterns end at semicolons and commas, with or without a closing one.
        {L"*.txt,*.doc", {L"*.txt", L"*.doc"},
         {{L"a.txt", 0}, {L"B.TXT", 0}, {L"c.Doc", 1}, {L"notes.doc.txt", 0}, {L".txt", 0}, {L"a.txt.bak", -1},
          {L"a.tx", -1}, {L"a.txts", -1}, {L"txt", -1}, {L"README", -1}, {L"", -1}}},
        {L"*.txt;*.doc,", {L"*.txt", L"*.doc"}, {}},
        // The all-files pattern moves to the front and takes every name.
        {L"*.txt;*.doc;*.*", {L"*.*", L"*.txt", L"*.doc"}, {{L"a.txt", 0}, {L"README", 0}, {L"", 0}}},
        // A repeated pattern is listed once at its first place; only the same text is the same pattern,
        // and one in other capitals after its twin never matches.
        {L"*.txt;*.doc;*.txt;*.doc,*.txt", {L"*.txt", L"*.doc"}, {}},
        {L"*.doc;*.*;*.txt;*.*,*.*", {L"*.*", L"*.doc", L"*.txt"}, {}},
        {L"*.txt;*.TXT;*.txt", {L"*.txt", L"*.TXT"}, {{L"a.TXT", 0}, {L"a.txt", 0}}},
        // Empty items stay as one empty pattern, which matches nothing; blanks around patterns go.
        {L"", {L""}, {{L"a.txt", -1}, {L"", -1}}}, {L";", {L""}, {}}, {L"  ", {L""}, {}},
        {L";;*.txt,,*.doc;", {L"", L"*.txt", L"*.doc"}, {}}, {L"*.txt;;", {L"*.txt", L""}, {}},
        {L" *.txt , *.doc\t; ", {L"*.txt", L"*.doc"}, {}}, {L"*.txt,  ,*.doc", {L"*.txt", L"", L"*.doc"}, {}},
        // A pattern without a star and dot is kept as typed and matches nothing, but a star alone takes
        // names without a dot, a star and dot names ending in one.
        {L"txt;*t;a.doc", {L"txt", L"*t", L"a.doc"}, {{L"a.txt", -1}, {L"txt", -1}, {L"at", -1}, {L"a.doc", -1}}},
        {L"*.txt;*;*.", {L"*.txt", L"*", L"*."}, {{L"README", 1}, {L"", 1}, {L"odd.", 2}, {L"a.doc", -1}}},
        // Case is ignored beyond ASCII.
        {L"*.äöü;*.σίγ", {L"*.äöü", L"*.σίγ"}, {{L"x.ÄÖÜ", 0}, {L"файл.ΣΊΓ", 1}, {L"x.aou", -1}}},
    };
    for (const auto& [filter, patterns, names] : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(filter)));
        const CFileTypeStats stats(filter);
        EXPECT_EQ(stats.Patterns(), patterns);
        for (const auto& [name, type] : names)
            EXPECT_EQ(stats.FindType(name), type) << testing::PrintToString(std::wstring(name));
    }
    // Any number of patterns is kept.
    std::wstring filter;
    for (int i = 0; i < 40; ++i)
        filter += L"*.e" + std::to_wstring(i) + L";";
    EXPECT_EQ(CFileTypeStats(filter).Patterns().size(), 40u);
    EXPECT_EQ(CFileTypeStats(filter).FindType(L"last.E39"), 39);
}

} // namespace
