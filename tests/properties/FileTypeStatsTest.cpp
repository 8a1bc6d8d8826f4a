#include "properties/FileTypeStats.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(FileTypeStatsFilter, PatternsEndAtSemicolonsAndCommasWithOrWithoutAClosingOne)
{
    EXPECT_EQ(CFileTypeStats(L"*.txt,*.doc").Patterns(), (Patterns{L"*.txt", L"*.doc"}));
    EXPECT_EQ(CFileTypeStats(L"*.txt;*.doc").Patterns(), (Patterns{L"*.txt", L"*.doc"}));
    EXPECT_EQ(CFileTypeStats(L"*.txt;*.doc,").Patterns(), (Patterns{L"*.txt", L"*.doc"}));
    EXPECT_EQ(CFileTypeStats(L"*.txt,*.doc;").Patterns(), (Patterns{L"*.txt", L"*.doc"}));
    EXPECT_EQ(CFileTypeStats(L"*.txt").Patterns(), (Patterns{L"*.txt"}));
}

TEST(FileTypeStatsFilter, AllFilesPatternMovesToTheFront)
{
    EXPECT_EQ(CFileTypeStats(L"*.txt;*.doc;*.*").Patterns(), (Patterns{L"*.*", L"*.txt", L"*.doc"}));
    EXPECT_EQ(CFileTypeStats(L"*.*;*.txt").Patterns(), (Patterns{L"*.*", L"*.txt"}));
    EXPECT_EQ(CFileTypeStats(L"*.*;").Patterns(), (Patterns{L"*.*"}));
}

TEST(FileTypeStatsFilter, RepeatedPatternIsListedOnceAtItsFirstPlace)
{
    EXPECT_EQ(CFileTypeStats(L"*.txt;*.doc;*.txt;*.doc,*.txt").Patterns(), (Patterns{L"*.txt", L"*.doc"}));
    EXPECT_EQ(CFileTypeStats(L"*.doc;*.*;*.txt;*.*,*.*").Patterns(), (Patterns{L"*.*", L"*.doc", L"*.txt"}));
    // Only the same text is the same pattern: a pattern in other capitals stays.
    EXPECT_EQ(CFileTypeStats(L"*.txt;*.TXT;*.txt").Patterns(), (Patterns{L"*.txt", L"*.TXT"}));
}

TEST(FileTypeStatsFilter, EmptyItemsStayAsOneEmptyPattern)
{
    EXPECT_EQ(CFileTypeStats(L"").Patterns(), (Patterns{L""}));
    EXPECT_EQ(CFileTypeStats(L";").Patterns(), (Patterns{L""}));
    EXPECT_EQ(CFileTypeStats(L";;*.txt,,*.doc;").Patterns(), (Patterns{L"", L"*.txt", L"*.doc"}));
    EXPECT_EQ(CFileTypeStats(L"*.txt;;").Patterns(), (Patterns{L"*.txt", L""}));
}

TEST(FileTypeStatsFilter, BlanksAroundPatternsAreDropped)
{
    EXPECT_EQ(CFileTypeStats(L" *.txt , *.doc\t; ").Patterns(), (Patterns{L"*.txt", L"*.doc"}));
    EXPECT_EQ(CFileTypeStats(L"*.txt; *.* ").Patterns(), (Patterns{L"*.*", L"*.txt"}));
    EXPECT_EQ(CFileTypeStats(L"  ").Patterns(), (Patterns{L""}));
    EXPECT_EQ(CFileTypeStats(L"*.txt,  ,*.doc").Patterns(), (Patterns{L"*.txt", L"", L"*.doc"}));
}

TEST(FileTypeStatsFilter, AnyNumberOfPatternsIsKept)
{
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

TEST(FileTypeStatsFilter, PatternWithoutStarDotIsKeptAsTyped)
{
    EXPECT_EQ(CFileTypeStats(L"txt;*t;a.doc").Patterns(), (Patterns{L"txt", L"*t", L"a.doc"}));
}

TEST(FileTypeStatsFindType, NameMatchesThePatternOfItsLastExtensionIgnoringCase)
{
    CFileTypeStats stats(L"*.txt,*.doc");
    EXPECT_EQ(stats.FindType(L"a.txt"), 0);
    EXPECT_EQ(stats.FindType(L"B.TXT"), 0);
    EXPECT_EQ(stats.FindType(L"c.Doc"), 1);
    EXPECT_EQ(stats.FindType(L"notes.doc.txt"), 0);
    EXPECT_EQ(stats.FindType(L".txt"), 0);
    EXPECT_EQ(stats.FindType(L"a.txt.bak"), -1);
    EXPECT_EQ(stats.FindType(L"a.tx"), -1);
    EXPECT_EQ(stats.FindType(L"a.txts"), -1);
    EXPECT_EQ(stats.FindType(L"txt"), -1);
    EXPECT_EQ(stats.FindType(L"README"), -1);
    EXPECT_EQ(stats.FindType(L""), -1);
}

TEST(FileTypeStatsFindType, CaseIsIgnoredBeyondAscii)
{
    CFileTypeStats stats(L"*.äöü;*.σίγ");
    EXPECT_EQ(stats.FindType(L"x.ÄÖÜ"), 0);
    EXPECT_EQ(stats.FindType(L"файл.ΣΊΓ"), 1);
    EXPECT_EQ(stats.FindType(L"x.aou"), -1);
}

TEST(FileTypeStatsFindType, StarAloneMatchesNamesWithoutDotAndStarDotNamesEndingInDot)
{
    CFileTypeStats stats(L"*.txt;*;*.");
    EXPECT_EQ(stats.FindType(L"README"), 1);
    EXPECT_EQ(stats.FindType(L""), 1);
    EXPECT_EQ(stats.FindType(L"odd."), 2);
    EXPECT_EQ(stats.FindType(L"a.doc"), -1);
}

TEST(FileTypeStatsFindType, AllFilesPatternTakesEveryName)
{
    CFileTypeStats stats(L"*.txt;*.*");
    EXPECT_EQ(stats.FindType(L"a.txt"), 0);
    EXPECT_EQ(stats.FindType(L"README"), 0);
    EXPECT_EQ(stats.FindType(L""), 0);
}

TEST(FileTypeStatsFindType, PatternsWithoutStarDotOrEmptyMatchNothing)
{
    CFileTypeStats stats(L"txt;.txt;a.txt;;*t");
    for (const wchar_t* name : {L"a.txt", L"txt", L".txt", L"a.t", L"at", L""})
        EXPECT_EQ(stats.FindType(name), -1) << testing::PrintToString(std::wstring(name));
    EXPECT_EQ(CFileTypeStats(L"").FindType(L"a.txt"), -1);
}

TEST(FileTypeStatsFindType, PatternInOtherCapitalsAfterItsTwinNeverMatches)
{
    CFileTypeStats stats(L"*.txt;*.TXT");
    EXPECT_EQ(stats.FindType(L"a.TXT"), 0);
    EXPECT_EQ(stats.FindType(L"a.txt"), 0);
}

TEST(FileTypeStatsCounts, FilesCountForTheirTypeAndAlwaysInTheTotals)
{
    CFileTypeStats stats(L"*.txt,*.doc");
    stats.AddFile(L"a.txt", 10);
    stats.AddFile(L"B.TXT", 20);
    stats.AddFile(L"c.doc", 5);
    stats.AddFile(L"README", 7);
    stats.AddFile(L"d.bak", 100);
    EXPECT_EQ(Rows(stats), (std::vector<Row>{{L"*.*", 5, 142}, {L"*.txt", 2, 30}, {L"*.doc", 1, 5}}));
    EXPECT_EQ(stats.Totals().files, 5u);
    EXPECT_EQ(stats.Totals().bytes, 142u);
    EXPECT_EQ(stats.Totals().folders, 0u);
}

TEST(FileTypeStatsCounts, AllFilesFirstLeavesLaterPatternsEmpty)
{
    CFileTypeStats stats(L"*.*,*.txt");
    stats.AddFile(L"a.txt", 10);
    stats.AddFile(L"b.doc", 3);
    EXPECT_EQ(Rows(stats), (std::vector<Row>{{L"*.*", 2, 13}, {L"*.*", 2, 13}, {L"*.txt", 0, 0}}));
}

TEST(FileTypeStatsCounts, AllFilesRowLeadsEvenWithoutAFilter)
{
    CFileTypeStats stats(L"");
    stats.AddFile(L"a.txt", 4);
    stats.AddFile(L"README", 6);
    EXPECT_EQ(Rows(stats), (std::vector<Row>{{L"*.*", 2, 10}, {L"", 0, 0}}));

    CFileTypeStats none;
    none.AddFile(L"a.txt", 4);
    EXPECT_EQ(Rows(none), (std::vector<Row>{{L"*.*", 1, 4}}));
}

TEST(FileTypeStatsCounts, SizesAbove4GiBAreNotWrapped)
{
    CFileTypeStats stats(L"*.iso;*.vhd");
    stats.AddFile(FoundFile(L"big.iso", 5 * kGiB + 1));
    stats.AddFile(FoundFile(L"small.iso", 3 * kGiB));
    stats.AddFile(FoundFile(L"disk.VHD", 4 * kGiB));
    stats.AddFile(FoundFile(L"other.bin", (1ull << 32) - 1));
    EXPECT_EQ(Rows(stats), (std::vector<Row>{{L"*.*", 4, 16 * kGiB}, {L"*.iso", 2, 8 * kGiB + 1}, {L"*.vhd", 1, 4 * kGiB}}));
}

TEST(FileTypeStatsCounts, FoundEntryCountsByItsNameAndFullSize)
{
    CFileTypeStats stats(L"*.txt");
    stats.AddFile(FoundFile(L"Ünïcode name.TXT", 0x1'0000'0002ull));
    EXPECT_EQ(Rows(stats), (std::vector<Row>{{L"*.*", 1, 0x1'0000'0002ull}, {L"*.txt", 1, 0x1'0000'0002ull}}));
}

TEST(FileTypeStatsCounts, FoldersCountOnlyAsFolders)
{
    CFileTypeStats stats(L"*.txt");
    stats.AddFolder();
    stats.AddFolder();
    stats.AddFile(L"a.txt", 1);
    EXPECT_EQ(stats.Totals().folders, 2u);
    EXPECT_EQ(stats.Totals().files, 1u);
    EXPECT_EQ(Rows(stats), (std::vector<Row>{{L"*.*", 1, 1}, {L"*.txt", 1, 1}}));
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
    EXPECT_EQ(Rows(stats), (std::vector<Row>{{L"*.*", 5, 43}, {L"*.txt", 3, 31}, {L"*.doc", 1, 5}}));
}

} // namespace
