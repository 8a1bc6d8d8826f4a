// The file list block itself; what a program finds on the clipboard at its start, hostile lists included, is
// read as Dovrin shows it (tests/diskinfo/StartDriveTest.cpp).
#include "common/DropList.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

namespace {

using namespace testing_support;
using Paths = std::vector<std::wstring>;

TEST(DropList, AListIsReadWithinItsBlockOrSectionAndAHeaderThatPointsOutsideIsNoList)
{
    const DWORD start = sizeof(DROPFILES);
    const std::vector<BYTE> list = WideBytes(std::wstring(L"C:\\a\0C:\\b", 9));
    std::vector<BYTE> odd = WideBytes(std::wstring(L"C:\\odd\0", 7)), shifted = WideBytes(L"C:\\moved");
    odd.push_back('Z'); // an odd last byte of a wide list is no character
    shifted.insert(shifted.begin(), 0xEE);
    const struct { const char* what; std::vector<BYTE> block; std::optional<Paths> paths; } cases[] = {
        {"unterminated", DropFilesBlock(start, true, list), Paths{L"C:\\a", L"C:\\b"}},
        {"ANSI", DropFilesBlock(start, false, {'C', ':', '\\', 'x'}), Paths{L"C:\\x"}},
        {"odd byte count", DropFilesBlock(start, true, odd), Paths{L"C:\\odd"}},
        {"at the block's end", DropFilesBlock(start, true), Paths{}},
        {"unaligned", DropFilesBlock(start + 1, true, shifted), Paths{L"C:\\moved"}},
        {"past the block", DropFilesBlock(start + DWORD(list.size()) + 1, true, list), std::nullopt},
        {"inside the header", DropFilesBlock(start - 1, true, list), std::nullopt},
        {"shorter than a header", std::vector<BYTE>(start - 1, 0), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseDropFiles(c.block.data(), c.block.size()), c.paths) << c.what;
    EXPECT_FALSE(ParseDropFiles(nullptr, 100).has_value());
    // The launcher's section, read within its view (the hand-over itself: tests/diskinfo/StartDriveTest.cpp).
    auto section = [](const std::vector<BYTE>& block) {
        HANDLE made = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                           static_cast<DWORD>(block.size()), nullptr);
        void* view = ::MapViewOfFile(made, FILE_MAP_WRITE, 0, 0, 0);
        std::memcpy(view, block.data(), block.size());
        ::UnmapViewOfFile(view);
        return made;
    };
    const Paths paths{L"C:\\a b.txt", L"C:\\" + std::wstring(40000, L'x'), L"C:\\Ünïcødé\\日本語.txt"};
    EXPECT_EQ(ReadSelectionSection(section(MakeDropFiles(paths))), paths);
    EXPECT_FALSE(ReadSelectionSection(section(DropFilesBlock(0xFFFFFFF0u, true, list))).has_value());
    EXPECT_FALSE(ReadSelectionSection(::CreateEventW(nullptr, FALSE, FALSE, nullptr)).has_value()); // no section
}

} // namespace
