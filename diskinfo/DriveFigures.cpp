#include "diskinfo/DriveFigures.h"

#include "framework/Format.h"
#include "outside/pallavol/DiskInfo.h"

namespace dovrin {

DriveFigures ReadDriveFigures(const std::wstring& root)
{
    const CDiskInfo drive(root);
    DriveFigures figures;
    figures.readable = drive.IsReadable();
    figures.optical = drive.IsOpticalDrive();
    figures.type = drive.GetDriveTypeA();
    figures.label = drive.m_VolumeLabel;
    figures.serialNumber = drive.m_SerialNumber;
    figures.fileSystem = drive.m_FileSystemName;
    figures.maxFileNameLength = drive.m_MaxFileNameLength;
    figures.flags = drive.m_FileSystemFlags;
    figures.sizes = drive.Sizes();
    return figures;
}

DriveUsage MeasureUsage(uint64_t totalBytes, uint64_t freeBytes)
{
    DriveUsage usage;
    usage.usedBytes = freeBytes < totalBytes ? totalBytes - freeBytes : 0;
    const double percent =
        totalBytes ? static_cast<double>(usage.usedBytes) / static_cast<double>(totalBytes) * 100.0 : 0.0;
    usage.percentText = fx::Format(L"%4.2f%%", percent);
    usage.barPosition = static_cast<int>(percent);
    return usage;
}

int MaxLabelLength(const std::wstring& fileSystem)
{
    struct Limit {
        const wchar_t* fileSystem;
        int length;
    };
    static const Limit limits[] = {
        {L"FAT", 11}, {L"FAT12", 11}, {L"FAT16", 11}, {L"FAT32", 11}, {L"exFAT", 11},
        {L"NTFS", 32}, {L"ReFS", 32}, {L"CDFS", 32},  {L"UDF", 126},
    };
    for (const Limit& limit : limits)
        if (::CompareStringOrdinal(fileSystem.c_str(), -1, limit.fileSystem, -1, TRUE) == CSTR_EQUAL)
            return limit.length;
    return 32;
}

} // namespace dovrin
