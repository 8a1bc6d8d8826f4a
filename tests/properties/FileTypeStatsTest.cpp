#include "properties/FileTypeStats.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace fennix;

namespace {

using Patterns = std::vector<std::wstring>;

constexpr uint64_t kGiB = 1ull << 30;

WIN32_FIND_DATAW FoundFile(const wchar_t* name, uint64_t size)
{
    WIN32_FIND_DATAW entry{};
    wcscpy_s(entry.cFileName, MAX_PATH, name);
    entry.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    entry.nFileSizeLow = static_cast<DWORD>(size);
    return entry;
}

// Every row of the File Types box as name, files and bytes.
struct Row {
    std::wstring name;
    uint64_t files;
    uint64_t bytes;
    bool operator==(const Row&) const = default;
};

std::vector<Row> Rows(const CFileTypeStats& stats)
{
    std::vector<Row> rows;
    for (size_t row = 0; row < stats.TypeCount(); ++row)
        rows.push_back({std::wstring(stats.TypeName(row)), stats.Figures(row).files, stats.Figures(row).bytes});
    return rows;
}

void PrintTo(const Row& row, std::ostream* os)
{
    *os << testing::PrintToString(row.name) << " " << row.files << " files " << row.bytes << " bytes";
}

TEST(FileTypeStatsFilter, PatternsOfTheFilterAsTyped)
{
    const std::pair<const wchar_t*, Patterns> filters[] = {
        // Patterns end at semicolons and commas, with or without a closing one.
        {L"*.txt,*.doc", {L"*.txt", L"*.doc"}},
        {L"*.txt;*.doc", {L"*.txt", L"*.doc"}},
        {L"*.txt;*.doc,", {L"*.txt", L"*.doc"}},
        {L"*.txt,*.doc;", {L"*.txt", L"*.doc"}},
        {L"*.txt", {L"*.txt"}},
        // The all-files pattern moves to the front.
        {L"*.txt;*.doc;*.*", {L"*.*", L"*.txt", L"*.doc"}},
        {L"*.*;", {L"*.*"}},
        // A repeated pattern is listed once at its first place; only the same
        // text is the same pattern.
        {L"*.txt;*.doc;*.txt;*.doc,*.txt", {L"*.txt", L"*.doc"}},
        {L"*.doc;*.*;*.txt;*.*,*.*", {L"*.*", L"*.doc", L"*.txt"}},
        {L"*.txt;*.TXT;*.txt", {L"*.txt", L"*.TXT"}},
        // Empty items stay as one empty pattern.
        {L"", {L""}},
        {L";", {L""}},
        {L";;*.txt,,*.doc;", {L"", L"*.txt", L"*.doc"}},
        {L"*.txt;;", {L"*.txt", L""}},
        // Blanks around patterns are dropped.
        {L" *.txt , *.doc\t; ", {L"*.txt", L"*.doc"}},
        {L"*.txt; *.* ", {L"*.*", L"*.txt"}},
        {L"  ", {L""}},
        {L"*.txt,  ,*.doc", {L"*.txt", L"", L"*.doc"}},
        // A pattern without a star and dot is kept as typed.
        {L"txt;*t;a.doc", {L"txt", L"*t", L"a.doc"}},
    };
    for (const auto& [filter, patterns] : filters)
        EXPECT_EQ(CFileTypeStats(filter).Patterns(), patterns) << testing::PrintToString(std::wstring(filter));

    // Any number of patterns is kept.
    std::wstring filter;
    Patterns expected;
    for (int i = 0; i < 40; ++i) {
        expected.push_back(L"*.e" + std::to_wstring(i));
        filter += expected.back() + L";";
    }
    CFileTypeStats stats(filter);
    EXPECT_EQ(stats.Patterns(), expected);
    EXPECT_EQ(stats.FindType(L"last.E39"), 39);
}

TEST(FileTypeStatsFindType, NameMatchesThePatternOfItsLastExtensionIgnoringCase)
{
    const struct {
        const wchar_t* filter;
        const wchar_t* name;
        int type;
    } cases[] = {
        {L"*.txt,*.doc", L"a.txt", 0},        {L"*.txt,*.doc", L"B.TXT", 0},
        {L"*.txt,*.doc", L"c.Doc", 1},        {L"*.txt,*.doc", L"notes.doc.txt", 0},
        {L"*.txt,*.doc", L".txt", 0},         {L"*.txt,*.doc", L"a.txt.bak", -1},
        {L"*.txt,*.doc", L"a.tx", -1},        {L"*.txt,*.doc", L"a.txts", -1},
        {L"*.txt,*.doc", L"txt", -1},         {L"*.txt,*.doc", L"README", -1},
        {L"*.txt,*.doc", L"", -1},
        // Case is ignored beyond ASCII.
        {L"*.äöü;*.σίγ", L"x.ÄÖÜ", 0},        {L"*.äöü;*.σίγ", L"файл.ΣΊΓ", 1},
        {L"*.äöü;*.σίγ", L"x.aou", -1},
        // A star alone takes names without a dot; a star and dot names ending in a dot.
        {L"*.txt;*;*.", L"README", 1},        {L"*.txt;*;*.", L"", 1},
        {L"*.txt;*;*.", L"odd.", 2},          {L"*.txt;*;*.", L"a.doc", -1},
        // The all-files pattern takes every name.
        {L"*.txt;*.*", L"a.txt", 0},          {L"*.txt;*.*", L"README", 0},
        {L"*.txt;*.*", L"", 0},
        // Patterns without a star and dot, or empty, match nothing.
        {L"txt;.txt;a.txt;;*t", L"a.txt", -1}, {L"txt;.txt;a.txt;;*t", L"txt", -1},
        {L"txt;.txt;a.txt;;*t", L".txt", -1},  {L"txt;.txt;a.txt;;*t", L"a.t", -1},
        {L"txt;.txt;a.txt;;*t", L"at", -1},    {L"txt;.txt;a.txt;;*t", L"", -1},
        {L"", L"a.txt", -1},
        // A pattern in other capitals after its twin never matches.
        {L"*.txt;*.TXT", L"a.TXT", 0},        {L"*.txt;*.TXT", L"a.txt", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CFileTypeStats(c.filter).FindType(c.name), c.type)
            << testing::PrintToString(std::wstring(c.filter)) << " " << testing::PrintToString(std::wstring(c.name));
}

TEST(FileTypeStatsCounts, TheAllFilesRowLeadsAndTakesEveryFile)
{
    CFileTypeStats first(L"*.*,*.txt"); // leaves the later patterns empty
    first.AddFile(L"a.txt", 10);
    first.AddFile(L"b.doc", 3);
    EXPECT_EQ(Rows(first), (std::vector<Row>{{L"*.*", 2, 13}, {L"*.*", 2, 13}, {L"*.txt", 0, 0}}));

    CFileTypeStats empty(L"");
    empty.AddFile(L"a.txt", 4);
    empty.AddFile(L"README", 6);
    EXPECT_EQ(Rows(empty), (std::vector<Row>{{L"*.*", 2, 10}, {L"", 0, 0}}));

    CFileTypeStats none;
    none.AddFile(L"a.txt", 4);
    EXPECT_EQ(Rows(none), (std::vector<Row>{{L"*.*", 1, 4}}));
}

TEST(FileTypeStatsCounts, FoundEntriesCountByNameAndFullSizeNotWrappedAbove4GiB)
{
    CFileTypeStats stats(L"*.iso;*.vhd");
    stats.AddFile(FoundFile(L"big.iso", 5 * kGiB + 1));
    stats.AddFile(FoundFile(L"small.iso", 3 * kGiB));
    stats.AddFile(FoundFile(L"disk.VHD", 4 * kGiB));
    stats.AddFile(FoundFile(L"other.bin", (1ull << 32) - 1));
    stats.AddFile(FoundFile(L"Ünïcode name.ISO", 0x1'0000'0002ull));
    const uint64_t all = 16 * kGiB + 0x1'0000'0002ull, iso = 8 * kGiB + 1 + 0x1'0000'0002ull;
    EXPECT_EQ(Rows(stats), (std::vector<Row>{{L"*.*", 5, all}, {L"*.iso", 3, iso}, {L"*.vhd", 1, 4 * kGiB}}));
}

TEST(FileTypeStatsCounts, NewFilterAndResetStartFromNothing)
{
    CFileTypeStats stats(L"*.txt;*.doc");
    stats.AddFolder();
    stats.AddFile(L"a.txt", 9);
    stats.SetFilter(L"*.bin");
    EXPECT_EQ(Rows(stats), (std::vector<Row>{{L"*.*", 0, 0}, {L"*.bin", 0, 0}}));
    EXPECT_EQ(stats.Totals().folders, 0u);

    stats.AddFolder();
    stats.AddFile(L"a.bin", 9);
    stats.Reset();
    EXPECT_TRUE(stats.Patterns().empty());
    EXPECT_EQ(Rows(stats), (std::vector<Row>{{L"*.*", 0, 0}}));
    EXPECT_EQ(stats.Totals().folders, 0u);
}

// Files count for the type of their last extension, ignoring case, and
// always in the totals; folders count only as folders.
TEST(FileTypeStatsCounts, FedFromAFolderWalk)
{
    testing_support::TempDir dir;
    dir.MakeFile(L"a.txt", std::string(10, 'a'));
    dir.MakeFile(L"B.TXT", std::string(20, 'b'));
    dir.MakeFile(L"README", std::string(7, 'r'));
    dir.MakeFolder(L"sub");
    dir.MakeFile(L"sub\\c.doc", std::string(5, 'c'));
    dir.MakeFile(L"sub\\d.txt", std::string(1, 'd'));

    CFileTypeStats stats(L"*.txt,*.doc");
    CFolderWalker walker([&stats](const std::wstring&, const WIN32_FIND_DATAW& entry) { stats.AddFile(entry); },
                         [&stats](const std::wstring&, const WIN32_FIND_DATAW&) { stats.AddFolder(); }, {});
    ASSERT_TRUE(walker.Walk(dir.Path().wstring()));
    EXPECT_EQ(stats.Totals().folders, 1u);
    EXPECT_EQ(stats.Totals().files, 5u);
    EXPECT_EQ(stats.Totals().bytes, 43u);
    EXPECT_EQ(Rows(stats), (std::vector<Row>{{L"*.*", 5, 43}, {L"*.txt", 3, 31}, {L"*.doc", 1, 5}}));
}

} // namespace
