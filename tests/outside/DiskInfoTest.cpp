#include "outside/pallavol/DiskInfo.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DiskInfo, RootWithoutBackslashReadsTheSameDrive)
{
    CDiskInfo withBackslash(L"C:\\"), without(L"C:");
    EXPECT_EQ(without.GetDriveTypeA(), L"Fixed Drive");
    EXPECT_EQ(without.m_SerialNumber, withBackslash.m_SerialNumber);
    EXPECT_EQ(without.GetTotalSizeInBytes(), withBackslash.GetTotalSizeInBytes());
}

TEST(DiskInfo, DriveThatCannotBeReadIsAnErrorWithNoFigures)
{
    DWORD used = ::GetLogicalDrives();
    wchar_t letter = L'Y';
    while (letter > L'C' && (used & (1u << (letter - L'A'))))
        --letter;
    ASSERT_GT(letter, L'C') << "every drive letter is in use";
    CDiskInfo info(std::wstring(1, letter) + L":\\");
    EXPECT_FALSE(info.IsReadable());
    EXPECT_EQ(info.GetDriveTypeA(), L"Error");
    EXPECT_EQ(info.m_SerialNumber + info.m_FileSystemName + info.m_MaxFileNameLength, L"");
    EXPECT_EQ(info.GetTotalSizeInBytes() + info.GetDiskFreeInBytes() + info.GetTotalClusters(), 0u);
    EXPECT_FALSE(info.SetDriveLabel(L"NEW"));

    // A default-made object names no drive at all, not the current one.
    CDiskInfo none;
    EXPECT_FALSE(none.IsReadable());
    EXPECT_EQ(none.GetDriveTypeA(), L"Error");
    EXPECT_FALSE(none.SetDriveLabel(L"NEW"));
}

} // namespace
