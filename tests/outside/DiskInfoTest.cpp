#include "outside/pallavol/DiskInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <string>

namespace {

// What the platform itself says about a drive. Read before and after the
// object under test: other programs write to the same disk meanwhile, so
// free space is checked against the range seen.
struct PlatformFigures {
    wchar_t label[MAX_PATH + 1] = {}, fileSystem[MAX_PATH + 1] = {};
    DWORD serial = 0, maxNameLength = 0, flags = 0;
    ULARGE_INTEGER freeToCaller{}, total{};
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;

    explicit PlatformFigures(const wchar_t* root)
    {
        EXPECT_TRUE(::GetVolumeInformationW(root, label, static_cast<DWORD>(std::size(label)), &serial,
                                            &maxNameLength, &flags, fileSystem,
                                            static_cast<DWORD>(std::size(fileSystem))));
        EXPECT_TRUE(::GetDiskFreeSpaceExW(root, &freeToCaller, &total, nullptr));
        EXPECT_TRUE(::GetDiskFreeSpaceW(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters));
    }
};

template <class T>
void ExpectBetween(T value, T first, T second)
{
    EXPECT_GE(value, std::min(first, second));
    EXPECT_LE(value, std::max(first, second));
}

TEST(DiskInfo, FiguresOfDriveCAgreeWithThePlatform)
{
    ASSERT_EQ(::GetDriveTypeW(L"C:\\"), static_cast<UINT>(DRIVE_FIXED));
    PlatformFigures before(L"C:\\");
    CDiskInfo info(L"C:\\");
    PlatformFigures after(L"C:\\");

    EXPECT_TRUE(info.IsReadable());
    EXPECT_FALSE(info.IsOpticalDrive());
    EXPECT_EQ(info.GetDriveTypeA(), L"Fixed Drive");
    EXPECT_EQ(info.m_VolumeLabel, before.label);
    EXPECT_EQ(info.m_FileSystemName, before.fileSystem);
    EXPECT_EQ(info.m_MaxFileNameLength, std::to_wstring(before.maxNameLength));
    EXPECT_EQ(info.m_FileSystemFlags, before.flags);
    // The serial as two groups of four upper-case hex digits, high word first.
    wchar_t serial[10] = {};
    std::swprintf(serial, std::size(serial), L"%04X-%04X", static_cast<unsigned>(before.serial >> 16),
               static_cast<unsigned>(before.serial & 0xFFFF));
    EXPECT_EQ(info.m_SerialNumber, serial);

    EXPECT_EQ(info.GetTotalSizeInBytes(), before.total.QuadPart);
    ExpectBetween<uint64_t>(info.GetDiskFreeInBytes(), before.freeToCaller.QuadPart, after.freeToCaller.QuadPart);
    EXPECT_EQ(info.GetTotalClusters(), before.totalClusters);
    ExpectBetween<DWORD>(info.GetClustersFree(), before.freeClusters, after.freeClusters);
    EXPECT_EQ(info.GetSectorsPerCluster(), before.sectorsPerCluster);
    EXPECT_EQ(info.GetBytesPerSector(), before.bytesPerSector);
}

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
