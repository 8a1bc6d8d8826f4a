// The figures of one drive as the dialog shows them, read from the drive
// information library in one step so that the dialog can also be shown
// figures of any drive, real or made up.
#pragma once
#include "outside/pallavol/DiskInfo.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace dovrin {

struct DriveFigures {
    bool readable = true; // the drive answered; nothing below counts otherwise
    bool optical = false; // its label cannot be changed
    std::wstring type;    // display text only
    std::wstring label;
    std::wstring serialNumber;
    std::wstring fileSystem;
    std::wstring maxFileNameLength;
    DWORD flags = 0; // FILE_CASE_SENSITIVE_SEARCH and the other volume flags
    DriveSizes sizes;
};

DriveFigures ReadDriveFigures(const std::wstring& root);

// The share of a drive in use.
struct DriveUsage {
    uint64_t usedBytes = 0;
    std::wstring percentText; // "45.68%"
    int barPosition = 0;      // the percentage truncated, 0 to 100
};

// A drive of size 0 counts as 0% used; free space above the total (figures
// caught while they change) counts as nothing used.
DriveUsage MeasureUsage(uint64_t totalBytes, uint64_t freeBytes);

// The longest volume label the file system keeps (FAT: 11 characters, NTFS:
// 32, UDF: 126); 32 for a file system this does not know.
int MaxLabelLength(const std::wstring& fileSystem);

} // namespace dovrin
