#include "properties/SelectionScan.h"

#include "common/SelectedPath.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace fennix;

namespace {

using testing_support::TempDir;

constexpr uint64_t kGiB = 1ull << 30;

CPathList Selection(const std::vector<std::wstring>& paths)
{
    CPathList items;
    for (const std::wstring& path : paths)
        items.Add(path);
    return items;
}

using Figures = std::tuple<uint64_t, uint64_t, uint64_t>; // folders, files, bytes
Figures Totals(const SelectionScan& scan)
{
    const auto& t = scan.stats.Totals();
    return {t.folders, t.files, t.bytes};
}

// Sizes above 4 GiB are not wrapped; a vanished item or a drive root is one
// file of no size that only the all-files row claims.
TEST(SelectionScan, FiguresOfEachItem)
{
    TempDir dir;
    const std::wstring folder = dir.MakeFolder(L"big"), gone = (dir.Path() / L"gone.bin").wstring();
    std::vector<std::wstring> sparse;
    for (const auto& [name, size] :
         {std::pair{L"huge.bin", 5 * kGiB + 7}, {L"big\\a.bin", 4 * kGiB}, {L"big\\b.bin", 4 * kGiB}}) {
        sparse.push_back(dir.MakeFile(name, ""));
        std::filesystem::resize_file(sparse.back(), size); // a hole: the bytes take no room
    }
    const SelectionScan scan = ScanSelection(Selection({sparse[0], gone, folder, PathRoot(folder)}), L"*.bin", true, {});
    EXPECT_EQ(Totals(scan), Figures(1, 5, 13 * kGiB + 7));
    EXPECT_EQ(scan.itemSizes, (std::vector<uint64_t>{5 * kGiB + 7, 0, 8 * kGiB, 0}));
    EXPECT_EQ(std::pair(scan.stats.Figures(1).files, scan.stats.Figures(1).bytes), std::pair(3ull, 13 * kGiB + 7));
}

TEST(SelectionScan, AStopEndsTheWalkInsideOneBigFolderWithTheFiguresSoFar)
{
    TempDir dir;
    const std::wstring big = dir.MakeFolder(L"big");
    // 5,000 files, made on the Linux side in a moment.
    const wchar_t* make = L"-c \"seq -f f%g.txt 5000 | xargs touch && touch done\"";
    ASSERT_TRUE(testing_support::RunOnLinux(big, "/bin/sh", make, [&big] {
        return ::GetFileAttributesW((big + L"\\done").c_str()) != INVALID_FILE_ATTRIBUTES;
    }));
    EXPECT_EQ(Totals(ScanSelection(Selection({big}), L"", true, {})), Figures(1, 5001, 0));

    // Asked before the item and before the folder opens: carry on; asked
    // again among the entries: stop. Each time it is shown the figures so far.
    int asked = 0;
    uint64_t filesSeen = 0;
    const SelectionScan cut = ScanSelection(Selection({big, dir.MakeFile(L"after.txt", "1")}), L"", true,
                                            [&](const SelectionScan& soFar) {
                                                filesSeen = soFar.stats.Totals().files;
                                                EXPECT_EQ(soFar.itemsBegun, asked == 0 ? 0u : 1u);
                                                return ++asked > 2;
                                            });
    EXPECT_TRUE(cut.stopped);
    EXPECT_EQ(asked, 3);
    EXPECT_GT(cut.stats.Totals().files, 0u);
    EXPECT_EQ(cut.stats.Totals().files, filesSeen);
    EXPECT_LT(cut.stats.Totals().files, 5001u);
    EXPECT_EQ(cut.itemSizes.size(), 2u);
}

} // namespace
