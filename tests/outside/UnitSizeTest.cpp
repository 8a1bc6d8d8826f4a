#include "outside/pallavol/DiskInfo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

namespace {

const uint64_t KiB = 1024, MiB = KiB * 1024, GiB = MiB * 1024, TiB = GiB * 1024;

TEST(UnitSize, CountBelowOneKilobyteElseTwoDecimalsRoundedHalfUpBelow1024)
{
    const std::pair<uint64_t, const wchar_t*> cases[] = {
        {0, L"0 bytes"}, {1, L"1 byte"}, {2, L"2 bytes"}, {1023, L"1023 bytes"},
        // 1152 bytes are exactly 1.125 KB; 1029 are 1.0049 KB, 1030 are 1.0059 KB.
        {1024, L"1.00 KB"}, {1536, L"1.50 KB"}, {1152, L"1.13 KB"}, {1029, L"1.00 KB"}, {1030, L"1.01 KB"},
        {10 * KiB - 1, L"10.00 KB"}, {MiB + MiB / 4, L"1.25 MB"}, {3 * TiB + TiB / 2, L"3.50 TB"},
        // 1048571 bytes are 1023.9951 KB, which would read "1024.00 KB".
        {1048570, L"1023.99 KB"}, {1048571, L"1.00 MB"}, {MiB - 1, L"1.00 MB"}, {MiB, L"1.00 MB"},
        {GiB - 1, L"1.00 GB"}, {TiB - 1, L"1.00 TB"}, {TiB, L"1.00 TB"},
        // Past 32 bits, and past the last unit.
        {0xFFFFFFFFull, L"4.00 GB"}, {4 * GiB + GiB / 2, L"4.50 GB"}, {5 * GiB, L"5.00 GB"},
        {5 * GiB + 1, L"5.00 GB"}, {1024 * TiB, L"1024.00 TB"}, {UINT64_MAX, L"16777216.00 TB"},
    };
    const CDiskInfo info;
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(info.GetUnitSize(bytes), text) << bytes << " bytes";
}

} // namespace
