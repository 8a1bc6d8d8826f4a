#include "common/DropList.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

// What a program finds on the clipboard at start is read as Dovrin shows it
// (tests/diskinfo/StartDriveTest.cpp); here, the block itself.
namespace {

using namespace testing_support;
using Paths = std::vector<std::wstring>;

std::optional<Paths> Parse(const std::vector<BYTE>& block)
{
    return ParseDropFiles(block.data(), block.size());
}

TEST(DropListParser, AHeaderThatPointsOutsideTheBlockIsNoList)
{
    const std::vector<BYTE> list = WideBytes(std::wstring(L"C:\\a.txt\0\0", 10));
    const DWORD size = static_cast<DWORD>(sizeof(DROPFILES) + list.size());
    for (DWORD offset : {DWORD{0x7FFFFFF0}, DWORD{0xFFFFFFF0}, size + 1, DWORD{0}, DWORD{sizeof(DROPFILES) - 1}})
        EXPECT_FALSE(Parse(DropFilesBlock(offset, true, list)).has_value()) << "offset " << offset;
    for (size_t blockSize : {0, 19})
        EXPECT_FALSE(Parse(std::vector<BYTE>(blockSize, 0)).has_value()) << "block of " << blockSize;
    EXPECT_FALSE(ParseDropFiles(nullptr, 100).has_value());
}

TEST(DropListParser, AListRunsToTheBlocksEndAtMost)
{
    const DWORD start = sizeof(DROPFILES);
    // Not terminated: the last path ends with the block.
    EXPECT_EQ(Parse(DropFilesBlock(start, true, WideBytes(std::wstring(L"C:\\a\0C:\\b", 9)))), (Paths{L"C:\\a", L"C:\\b"}));
    EXPECT_EQ(Parse(DropFilesBlock(start, false, {'C', ':', '\\', 'x'})), Paths{L"C:\\x"});
    // An odd last byte of a wide list is no character.
    std::vector<BYTE> odd = WideBytes(std::wstring(L"C:\\odd\0", 7));
    odd.push_back('Z');
    EXPECT_EQ(Parse(DropFilesBlock(start, true, odd)), Paths{L"C:\\odd"});
    // A list right at the end of the block is an empty one.
    EXPECT_EQ(Parse(DropFilesBlock(start, true)), Paths{});
    // The list may start anywhere after the header, aligned or not.
    std::vector<BYTE> shifted{0xEE};
    const std::vector<BYTE> wide = WideBytes(std::wstring(L"C:\\shifted\0\0", 12));
    shifted.insert(shifted.end(), wide.begin(), wide.end());
    EXPECT_EQ(Parse(DropFilesBlock(start + 1, true, shifted)), Paths{L"C:\\shifted"});
}

// The launcher's section: the same block, read within the view (the hand-over
// itself is seen end to end, tests/diskinfo/EndToEndTest.cpp).
TEST(DropList, AHandedSectionIsReadWithTheSameParser)
{
    auto section = [](const std::vector<BYTE>& block) {
        HANDLE made = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                           static_cast<DWORD>(block.size()), nullptr);
        void* view = ::MapViewOfFile(made, FILE_MAP_WRITE, 0, 0, 0);
        std::memcpy(view, block.data(), block.size());
        ::UnmapViewOfFile(view);
        return made;
    };
    const Paths paths{L"C:\\a b.txt", L"C:\\" + std::wstring(40000, L'x'), L"C:\\Ünïcødé\\日本語 файл.txt"};
    EXPECT_EQ(ReadSelectionSection(section(MakeDropFiles(paths))), paths);
    const std::vector<BYTE> hostile = DropFilesBlock(0xFFFFFFF0u, true, WideBytes(std::wstring(L"C:\\a.txt\0\0", 10)));
    EXPECT_FALSE(ReadSelectionSection(section(hostile)).has_value());
    EXPECT_FALSE(ReadSelectionSection(::CreateEventW(nullptr, FALSE, FALSE, nullptr)).has_value()); // no section
}

} // namespace
