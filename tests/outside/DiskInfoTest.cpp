#include "outside/pallavol/DiskInfo.h"

#include <gtest/gtest.h>

#include <array>

namespace {

const uint64_t KiB = 1024, MiB = KiB * 1024, GiB = MiB * 1024, TiB = GiB * 1024;

TEST(DiskInfo, SizesAreCountedBelowOneKilobyteElseGivenToTwoDecimalsRoundedHalfUpBelow1024)
{
    const std::pair<uint64_t, const wchar_t*> cases[] = {
        {0, L"0 bytes"}, {1, L"1 byte"}, {1023, L"1023 bytes"}, {1024, L"1.00 KB"},
        // 1152 bytes are exactly 1.125 KB; 1029 are 1.0049 KB, 1030 are 1.0059 KB.
        {1152, L"1.13 KB"}, {1029, L"1.00 KB"}, {1030, L"1.01 KB"}, {MiB + MiB / 4, L"1.25 MB"},
        // 1048571 bytes are 1023.9951 KB, which would read "1024.00 KB".
        {1048570, L"1023.99 KB"}, {1048571, L"1.00 MB"}, {GiB - 1, L"1.00 GB"}, {TiB - 1, L"1.00 TB"},
        // Past 32 bits, and past the last unit.
        {4 * GiB + GiB / 2, L"4.50 GB"}, {3 * TiB + TiB / 2, L"3.50 TB"}, {1024 * TiB, L"1024.00 TB"},
        {UINT64_MAX, L"16777216.00 TB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(CDiskInfo().GetUnitSize(bytes), text) << bytes << " bytes";
}

TEST(DiskInfo, ARootWithoutBackslashIsForgivenAndADriveThatCannotBeReadHasNoFigures)
{
    CDiskInfo withBackslash(L"C:\\"), without(L"C:");
    EXPECT_EQ(without.GetDriveTypeA(), L"Fixed Drive");
    EXPECT_EQ(without.m_SerialNumber, withBackslash.m_SerialNumber);
    EXPECT_EQ(without.GetTotalSizeInBytes(), withBackslash.GetTotalSizeInBytes());

    // A letter with no drive, and a default-made object: no drive at all, not the current one.
    const DWORD used = ::GetLogicalDrives();
    wchar_t letter = L'Y';
    while (letter > L'C' && (used & (1u << (letter - L'A'))))
        --letter;
    std::array<CDiskInfo, 2> none{CDiskInfo(std::wstring(1, letter) + L":\\"), CDiskInfo()};
    for (CDiskInfo& info : none) {
        EXPECT_FALSE(info.IsReadable());
        EXPECT_EQ(info.GetDriveTypeA(), L"Error");
        EXPECT_EQ(info.m_SerialNumber + info.m_FileSystemName + info.m_MaxFileNameLength, L"");
        EXPECT_EQ(info.GetTotalSizeInBytes() + info.GetDiskFreeInBytes() + info.GetTotalClusters(), 0u);
        EXPECT_FALSE(info.SetDriveLabel(L"NEW"));
    }
}

} // namespace
