#include "properties/SelectionScan.h"

#include "common/SelectedPath.h"
#include "framework/Handle.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace fennix;

namespace {

using testing_support::RunOnLinux;
using testing_support::TempDir;

constexpr uint64_t kGiB = 1ull << 30;

CPathList Selection(const std::vector<std::wstring>& paths)
{
    CPathList items;
    for (const std::wstring& path : paths)
        items.Add(path);
    return items;
}

std::wstring Path(const TempDir& dir) { return dir.Path().wstring(); }

void ExpectTotals(const SelectionScan& scan, uint64_t folders, uint64_t files, uint64_t bytes)
{
    const auto& t = scan.stats.Totals();
    EXPECT_EQ(std::tuple(t.folders, t.files, t.bytes), std::tuple(folders, files, bytes));
}

// A file of the given length whose bytes take no room (a hole).
std::wstring MakeSparseFile(const TempDir& dir, const std::wstring& name, uint64_t size)
{
    const std::wstring path = Path(dir) + L"\\" + name;
    fx::CFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    EXPECT_TRUE(file && ::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.Get()));
    return path;
}

TEST(SelectionScan, AVanishedItemOrADriveRootIsOneFileOfNoSizeThatOnlyAllFilesClaims)
{
    TempDir dir;
    const std::wstring file = dir.MakeFile(L"a.txt", "123");
    const std::wstring gone = Path(dir) + L"\\gone.txt";
    const std::wstring root = PathRoot(Path(dir));

    const SelectionScan scan = ScanSelection(Selection({gone, file, root}), L"*.txt", true, {});
    ExpectTotals(scan, 0, 3, 3);
    EXPECT_EQ(scan.itemSizes, (std::vector<uint64_t>{0, 3, 0}));
    EXPECT_EQ(scan.stats.Figures(1).files, 1u); // a.txt alone, not the nameless two

    const SelectionScan all = ScanSelection(Selection({gone, root}), L"*.*", true, {});
    EXPECT_EQ(all.stats.Figures(1).files, 2u);
}

TEST(SelectionScan, SizesAboveFourGibibytesAreNotWrapped)
{
    TempDir dir;
    const std::wstring huge = MakeSparseFile(dir, L"huge.bin", 5 * kGiB + 7);
    const std::wstring folder = dir.MakeFolder(L"big");
    MakeSparseFile(dir, L"big\\a.bin", 4 * kGiB);
    MakeSparseFile(dir, L"big\\b.bin", 4 * kGiB);

    const SelectionScan scan = ScanSelection(Selection({huge, folder}), L"*.bin", true, {});
    ExpectTotals(scan, 1, 3, 13 * kGiB + 7);
    EXPECT_EQ(scan.itemSizes, (std::vector<uint64_t>{5 * kGiB + 7, 8 * kGiB}));
    EXPECT_EQ(scan.stats.Figures(1).bytes, 13 * kGiB + 7);
}

TEST(SelectionScan, AStopEndsTheWalkInsideOneBigFolderWithTheFiguresSoFar)
{
    TempDir dir;
    const std::wstring big = dir.MakeFolder(L"big");
    // 5,000 files, made on the Linux side in a moment.
    ASSERT_TRUE(RunOnLinux(big, "/bin/sh", L"-c \"seq -f f%g.txt 5000 | xargs touch && touch done\"",
                           [&big] { return ::GetFileAttributesW((big + L"\\done").c_str()) != INVALID_FILE_ATTRIBUTES; }));

    const SelectionScan whole = ScanSelection(Selection({big}), L"", true, {});
    ExpectTotals(whole, 1, 5001, 0);

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
