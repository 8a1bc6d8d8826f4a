#include "properties/SelectionScan.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace fennix;

namespace {

using testing_support::TempDir;

CPathList Selection(const std::vector<std::wstring>& paths)
{
    CPathList items;
    for (const std::wstring& path : paths)
        items.Add(path);
    return items;
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
    const SelectionScan whole = ScanSelection(Selection({big}), L"", true, {});
    EXPECT_EQ(std::pair(whole.stats.Totals().folders, whole.stats.Totals().files), std::pair(1ull, 5001ull));
    // Asked before the item and the folder: go on; among the entries: stop. Each sees the figures so far.
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
