#include "properties/FileTypeStats.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace fennix;

namespace {

using Patterns = std::vector<std::wstring>;

TEST(FileTypeStatsFilter, PatternsOfTheFilterAsTyped)
{
    const std::pair<const wchar_t*, Patterns> filters[] = {
        // Patterns end at semicolons and commas, with or without a closing one.
        {L"*.txt,*.doc", {L"*.txt", L"*.doc"}}, {L"*.txt;*.doc,", {L"*.txt", L"*.doc"}}, {L"*.txt", {L"*.txt"}},
        // The all-files pattern moves to the front.
        {L"*.txt;*.doc;*.*", {L"*.*", L"*.txt", L"*.doc"}}, {L"*.*;", {L"*.*"}},
        // A repeated pattern is listed once at its first place; only the same
        // text is the same pattern.
        {L"*.txt;*.doc;*.txt;*.doc,*.txt", {L"*.txt", L"*.doc"}}, {L"*.doc;*.*;*.txt;*.*,*.*", {L"*.*", L"*.doc", L"*.txt"}},
        {L"*.txt;*.TXT;*.txt", {L"*.txt", L"*.TXT"}},
        // Empty items stay as one empty pattern; blanks around patterns go.
        {L"", {L""}}, {L";", {L""}}, {L";;*.txt,,*.doc;", {L"", L"*.txt", L"*.doc"}}, {L"*.txt;;", {L"*.txt", L""}},
        {L" *.txt , *.doc\t; ", {L"*.txt", L"*.doc"}}, {L"  ", {L""}}, {L"*.txt,  ,*.doc", {L"*.txt", L"", L"*.doc"}},
        // A pattern without a star and dot is kept as typed.
        {L"txt;*t;a.doc", {L"txt", L"*t", L"a.doc"}},
    };
    for (const auto& [filter, patterns] : filters)
        EXPECT_EQ(CFileTypeStats(filter).Patterns(), patterns) << testing::PrintToString(std::wstring(filter));

    // Any number of patterns is kept.
    std::wstring filter;
    for (int i = 0; i < 40; ++i)
        filter += L"*.e" + std::to_wstring(i) + L";";
    EXPECT_EQ(CFileTypeStats(filter).Patterns().size(), 40u);
    EXPECT_EQ(CFileTypeStats(filter).FindType(L"last.E39"), 39);
}

TEST(FileTypeStatsFindType, NameMatchesThePatternOfItsLastExtensionIgnoringCase)
{
    const struct {
        const wchar_t* filter;
        std::vector<std::pair<const wchar_t*, int>> names;
    } cases[] = {
        {L"*.txt,*.doc",
         {{L"a.txt", 0}, {L"B.TXT", 0}, {L"c.Doc", 1}, {L"notes.doc.txt", 0}, {L".txt", 0}, {L"a.txt.bak", -1},
          {L"a.tx", -1}, {L"a.txts", -1}, {L"txt", -1}, {L"README", -1}, {L"", -1}}},
        // Case is ignored beyond ASCII.
        {L"*.äöü;*.σίγ", {{L"x.ÄÖÜ", 0}, {L"файл.ΣΊΓ", 1}, {L"x.aou", -1}}},
        // A star alone takes names without a dot; a star and dot names ending in a dot.
        {L"*.txt;*;*.", {{L"README", 1}, {L"", 1}, {L"odd.", 2}, {L"a.doc", -1}}},
        // The all-files pattern takes every name.
        {L"*.txt;*.*", {{L"a.txt", 0}, {L"README", 0}, {L"", 0}}},
        // Patterns without a star and dot, or empty, match nothing.
        {L"txt;.txt;a.txt;;*t", {{L"a.txt", -1}, {L"txt", -1}, {L".txt", -1}, {L"a.t", -1}, {L"at", -1}, {L"", -1}}},
        {L"", {{L"a.txt", -1}}},
        // A pattern in other capitals after its twin never matches.
        {L"*.txt;*.TXT", {{L"a.TXT", 0}, {L"a.txt", 0}}},
    };
    for (const auto& c : cases)
        for (const auto& [name, type] : c.names)
            EXPECT_EQ(CFileTypeStats(c.filter).FindType(name), type)
                << testing::PrintToString(std::wstring(c.filter)) << " " << testing::PrintToString(std::wstring(name));
}

// Every row of the File Types box as name, files and bytes.
using Rows = std::vector<std::tuple<std::wstring, uint64_t, uint64_t>>;
Rows RowsOf(const CFileTypeStats& stats)
{
    Rows rows;
    for (size_t row = 0; row < stats.TypeCount(); ++row)
        rows.emplace_back(stats.TypeName(row), stats.Figures(row).files, stats.Figures(row).bytes);
    return rows;
}

// The all-files row leads and takes every file, at its full 64-bit size; a
// new filter and a reset start from nothing.
TEST(FileTypeStatsCounts, RowsOfTheFilter)
{
    const uint64_t kGiB = 1ull << 30;
    CFileTypeStats first(L"*.*,*.txt"); // leaves the later patterns empty
    first.AddFile(L"a.txt", 10);
    first.AddFile(L"b.doc", 3);
    EXPECT_EQ(RowsOf(first), (Rows{{L"*.*", 2, 13}, {L"*.*", 2, 13}, {L"*.txt", 0, 0}}));
    CFileTypeStats empty(L"");
    empty.AddFile(L"a.txt", 4);
    EXPECT_EQ(RowsOf(empty), (Rows{{L"*.*", 1, 4}, {L"", 0, 0}}));

    CFileTypeStats stats(L"*.iso;*.vhd");
    for (const auto& [name, size] : {std::pair{L"big.iso", 5 * kGiB + 1}, std::pair{L"disk.VHD", 4 * kGiB},
                                     std::pair{L"other.bin", (1ull << 32) - 1}, std::pair{L"Ünïcode.ISO", 3 * kGiB}}) {
        WIN32_FIND_DATAW entry{};
        wcscpy_s(entry.cFileName, MAX_PATH, name);
        entry.nFileSizeHigh = static_cast<DWORD>(size >> 32);
        entry.nFileSizeLow = static_cast<DWORD>(size);
        stats.AddFile(entry);
    }
    EXPECT_EQ(RowsOf(stats), (Rows{{L"*.*", 4, 16 * kGiB}, {L"*.iso", 2, 8 * kGiB + 1}, {L"*.vhd", 1, 4 * kGiB}}));

    stats.AddFolder();
    stats.SetFilter(L"*.bin");
    EXPECT_EQ(RowsOf(stats), (Rows{{L"*.*", 0, 0}, {L"*.bin", 0, 0}}));
    EXPECT_EQ(stats.Totals().folders, 0u);
    stats.AddFolder();
    stats.AddFile(L"a.bin", 9);
    stats.Reset();
    EXPECT_TRUE(stats.Patterns().empty());
    EXPECT_EQ(RowsOf(stats), (Rows{{L"*.*", 0, 0}}));
    EXPECT_EQ(stats.Totals().folders, 0u);
}

} // namespace
