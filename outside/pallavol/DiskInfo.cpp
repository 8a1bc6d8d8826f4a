#include "outside/pallavol/DiskInfo.h"

#include "framework/Format.h"
#include "framework/Trace.h"

#include <iterator>
#include <mutex>

namespace {

// Asking an empty removable drive for its figures must not pop the system's
// "no disk in drive" box, whatever the calling program chose at start-up.
class CNoCriticalErrorBoxes {
public:
    CNoCriticalErrorBoxes() noexcept { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &m_old); }
    ~CNoCriticalErrorBoxes() { ::SetThreadErrorMode(m_old, nullptr); }
    CNoCriticalErrorBoxes(const CNoCriticalErrorBoxes&) = delete;
    CNoCriticalErrorBoxes& operator=(const CNoCriticalErrorBoxes&) = delete;

private:
    DWORD m_old = 0;
};

// The platform's root functions want the trailing backslash; callers that cut
// "C:" from a path are forgiven.
std::wstring WithTrailingBackslash(std::wstring root)
{
    if (root.empty() || root.back() != L'\\')
        root += L'\\';
    return root;
}

std::mutex g_readHookLock;
CDiskInfo::ReadHook g_readHook; // guarded by g_readHookLock

// Runs the hook on a copy: it may be replaced while a drive is being asked.
void BeforeAsking(const std::wstring& root)
{
    CDiskInfo::ReadHook hook;
    {
        std::lock_guard<std::mutex> lock(g_readHookLock);
        hook = g_readHook;
    }
    if (hook)
        hook(root);
}

} // namespace

void CDiskInfo::SetReadHook(ReadHook hook)
{
    std::lock_guard<std::mutex> lock(g_readHookLock);
    g_readHook = std::move(hook);
}

bool CDiskInfo::HoldsFiles(const std::wstring& root)
{
    const std::wstring withBackslash = WithTrailingBackslash(root);
    BeforeAsking(withBackslash);
    switch (::GetDriveTypeW(withBackslash.c_str())) {
    case DRIVE_REMOVABLE:
    case DRIVE_FIXED:
    case DRIVE_REMOTE:
    case DRIVE_CDROM:
    case DRIVE_RAMDISK:
        return true;
    default: // DRIVE_UNKNOWN, DRIVE_NO_ROOT_DIR
        return false;
    }
}

CDiskInfo::CDiskInfo() = default;

CDiskInfo::CDiskInfo(const std::wstring& root) : m_root(WithTrailingBackslash(root))
{
    BeforeAsking(m_root);
    CNoCriticalErrorBoxes quiet;
    m_driveType = ::GetDriveTypeW(m_root.c_str());
    if (m_driveType == DRIVE_UNKNOWN || m_driveType == DRIVE_NO_ROOT_DIR)
        return;

    // The platform caps both texts at MAX_PATH + 1 and offers no way to ask for more.
    wchar_t label[MAX_PATH + 1] = {};
    wchar_t fileSystem[MAX_PATH + 1] = {};
    DWORD serial = 0;
    DWORD maxNameLength = 0;
    DWORD flags = 0;
    if (!::GetVolumeInformationW(m_root.c_str(), label, static_cast<DWORD>(std::size(label)), &serial,
                                 &maxNameLength, &flags, fileSystem,
                                 static_cast<DWORD>(std::size(fileSystem)))) {
        fx::TraceLastError(L"GetVolumeInformation " + m_root);
        return;
    }
    // Free space as the caller may use it (quotas included): that is what a
    // copy can fill, and what "used = total - free" is measured against. A
    // drive whose sizes cannot be read (a removable drive without its medium
    // still answers for its volume) cannot be read at all.
    ULARGE_INTEGER freeToCaller{}, total{};
    if (!::GetDiskFreeSpaceExW(m_root.c_str(), &freeToCaller, &total, nullptr) ||
        !::GetDiskFreeSpaceW(m_root.c_str(), &m_sizes.sectorsPerCluster, &m_sizes.bytesPerSector,
                             &m_sizes.freeClusters, &m_sizes.totalClusters)) {
        fx::TraceLastError(L"GetDiskFreeSpace " + m_root);
        return;
    }
    m_readable = true;
    m_sizes.freeBytes = freeToCaller.QuadPart;
    m_sizes.totalBytes = total.QuadPart;
    m_VolumeLabel = label;
    m_SerialNumber = fx::Format(L"%04X-%04X", static_cast<unsigned>(HIWORD(serial)),
                                static_cast<unsigned>(LOWORD(serial)));
    m_FileSystemName = fileSystem;
    m_FileSystemFlags = flags;
    m_MaxFileNameLength = std::to_wstring(maxNameLength);
}

std::wstring CDiskInfo::GetDriveTypeA() const
{
    if (!m_readable)
        return L"Error";
    switch (m_driveType) {
    case DRIVE_REMOVABLE:
        return L"Removable Drive";
    case DRIVE_FIXED:
        return L"Fixed Drive";
    case DRIVE_REMOTE:
        return L"Network Drive";
    case DRIVE_CDROM:
        return L"CD-ROM Drive";
    case DRIVE_RAMDISK:
        return L"RAM Disk";
    default:
        return L"Error";
    }
}

std::wstring CDiskInfo::GetUnitSize(uint64_t bytes) const
{
    if (bytes < 1024)
        return std::to_wstring(bytes) + (bytes == 1 ? L" byte" : L" bytes");

    static const wchar_t* const units[] = {L"KB", L"MB", L"GB", L"TB"};
    size_t unit = 0;
    uint64_t unitBytes = 1024;
    for (;;) {
        // Hundredths of the unit, rounded half up, in integers: a double
        // cannot hold every 64-bit count exactly.
        uint64_t whole = bytes / unitBytes;
        uint64_t rest = bytes % unitBytes;
        uint64_t hundredths = whole * 100 + (rest * 200 + unitBytes) / (2 * unitBytes);
        // 1048575 bytes would round to "1024.00 KB": the next unit says it better.
        if (hundredths < 1024 * 100 || unit + 1 == std::size(units))
            return fx::Format(L"%llu.%02u %ls", static_cast<unsigned long long>(hundredths / 100),
                              static_cast<unsigned>(hundredths % 100), units[unit]);
        ++unit;
        unitBytes *= 1024;
    }
}

bool CDiskInfo::SetDriveLabel(const std::wstring& label)
{
    if (m_root.empty())
        return false;
    CNoCriticalErrorBoxes quiet;
    // An empty text removes the label. (No text at all, a null pointer, is
    // documented to do the same but faults inside some implementations.)
    if (!::SetVolumeLabelW(m_root.c_str(), label.c_str())) {
        fx::TraceLastError(L"SetVolumeLabel " + m_root);
        return false;
    }
    m_VolumeLabel = label;
    return true;
}
