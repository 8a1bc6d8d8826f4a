// Pallavol: the figures of one drive, and byte counts as short texts.
// One object per task: made for a drive root ("C:\"), read, destroyed.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// The sizes of a drive as the system gives them: the bytes free to this
// user and in all, and how the drive is laid out in clusters.
struct DriveSizes {
    uint64_t totalBytes = 0;
    uint64_t freeBytes = 0;
    DWORD totalClusters = 0;
    DWORD freeClusters = 0;
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
};

class CDiskInfo {
public:
    // An object used only for GetUnitSize.
    CDiskInfo();
    // Reads the figures of the drive whose root (letter, colon, backslash) is
    // given; "C:" is taken as "C:\" too.
    explicit CDiskInfo(const std::wstring& root);

    std::wstring m_VolumeLabel;
    std::wstring m_SerialNumber;      // "1A2B-3C4D"
    std::wstring m_FileSystemName;
    std::wstring m_MaxFileNameLength; // the longest allowed file name, as text
    DWORD m_FileSystemFlags = 0;      // FILE_CASE_SENSITIVE_SEARCH and the other volume flags

    // Whether the drive answered for its volume and its sizes. Decisions go
    // by this; the type text below is for display.
    bool IsReadable() const { return m_readable; }
    // An optical drive: its label cannot be changed.
    bool IsOpticalDrive() const { return m_driveType == DRIVE_CDROM; }
    // The drive type as display text: "Error" when the drive cannot be read,
    // "CD-ROM Drive" for an optical drive, else "Removable Drive",
    // "Fixed Drive", "Network Drive", "RAM Disk".
    std::wstring GetDriveTypeA() const;
    const DriveSizes& Sizes() const { return m_sizes; }
    uint64_t GetDiskFreeInBytes() const { return m_sizes.freeBytes; }
    uint64_t GetTotalSizeInBytes() const { return m_sizes.totalBytes; }
    DWORD GetTotalClusters() const { return m_sizes.totalClusters; }
    DWORD GetClustersFree() const { return m_sizes.freeClusters; }
    DWORD GetSectorsPerCluster() const { return m_sizes.sectorsPerCluster; }
    DWORD GetBytesPerSector() const { return m_sizes.bytesPerSector; }

    // A byte count as a short text with its unit, the same form everywhere and
    // never parsed: below 1024 the count itself ("0 bytes", "1 byte",
    // "1023 bytes"); above, two decimals rounded half up in binary units KB,
    // MB, GB, TB (1 KB = 1024 bytes): "1.00 KB", "1.50 KB", "4.00 GB". The unit
    // is the smallest that keeps the rounded number below 1024 (1048575 bytes
    // are "1.00 MB", not "1024.00 KB"); past that, TB ("16777216.00 TB").
    std::wstring GetUnitSize(uint64_t bytes) const;

    // Sets the volume label of this object's drive (an empty text removes it)
    // and m_VolumeLabel with it; false when refused, or when the object was
    // made without a drive.
    bool SetDriveLabel(const std::wstring& label);

    // Whether the drive at root can hold files: a removable, fixed, network,
    // optical or RAM drive; not a letter with nothing behind it. Asks the
    // drive, so it can take as long as reading it.
    static bool HoldsFiles(const std::wstring& root);

    // Called with the root on the asking thread before each drive is asked
    // (made into an object, or by HoldsFiles), so that a test can hold the
    // asking as a drive slow to answer would; nullptr: none.
    using ReadHook = std::function<void(const std::wstring& root)>;
    static void SetReadHook(ReadHook hook);

private:
    std::wstring m_root;
    UINT m_driveType = DRIVE_UNKNOWN;
    bool m_readable = false;
    DriveSizes m_sizes;
};
