#include "common/FileIdentity.h"

#include "common/SelectedPath.h"
#include "framework/GrowBuffer.h"
#include "framework/Handle.h"
#include "framework/LongPath.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

fx::CFileHandle OpenForIdentity(const std::wstring& path)
{
    // No access asked for, only the item's information; backup semantics
    // let a folder be opened too.
    return fx::CFileHandle(::CreateFileW(fx::ExtendedLengthPath(path).c_str(), 0,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

std::optional<FileIdentity> IdentityOfHandle(HANDLE handle)
{
    FileIdentity identity;
    FILE_ID_INFO info{};
    if (::GetFileInformationByHandleEx(handle, FileIdInfo, &info, sizeof(info))) {
        identity.volume = info.VolumeSerialNumber;
        static_assert(sizeof(info.FileId) == sizeof(identity.id));
        std::memcpy(identity.id.data(), &info.FileId, identity.id.size());
        return identity;
    }
    // Older systems and some file systems know only the 64-bit index.
    BY_HANDLE_FILE_INFORMATION basic{};
    if (!::GetFileInformationByHandle(handle, &basic))
        return std::nullopt;
    identity.volume = basic.dwVolumeSerialNumber;
    const uint64_t index = (static_cast<uint64_t>(basic.nFileIndexHigh) << 32) | basic.nFileIndexLow;
    std::memcpy(identity.id.data(), &index, sizeof(index));
    return identity;
}

// The folder above a full path, in the same form (an extended-length path
// keeps its prefix, so a name ending in a dot stays that name); empty for a
// root.
std::wstring ParentOf(const std::wstring& path)
{
    const std::wstring plain = fx::WithoutExtendedPrefix(path);
    const size_t rootLength = PathRoot(plain).size();
    const size_t separator = plain.find_last_of(L'\\');
    if (!rootLength || plain.size() <= rootLength || separator == std::wstring::npos)
        return std::wstring();
    const std::wstring parent = plain.substr(0, std::max(separator, rootLength));
    return plain == path ? parent : ExtendedForm(parent);
}

// Where an open item really is, every link on the way resolved.
std::optional<std::wstring> FinalPath(HANDLE handle)
{
    std::optional<std::wstring> final = fx::ReadGrowingText([handle](wchar_t* buffer, DWORD size) {
        return ::GetFinalPathNameByHandleW(handle, buffer, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    });
    if (!final || final->empty())
        return std::nullopt;
    return fx::WithoutExtendedPrefix(*final);
}

} // namespace

std::optional<FileIdentity> IdentityOf(const std::wstring& path)
{
    const fx::CFileHandle item = OpenForIdentity(path);
    if (!item)
        return std::nullopt;
    return IdentityOfHandle(item.Get());
}

bool IsSameItem(const std::wstring& a, const std::wstring& b)
{
    const std::optional<FileIdentity> first = IdentityOf(a);
    return first && first == IdentityOf(b);
}

CContainingFolders::CContainingFolders(const std::wstring& path)
{
    const std::optional<std::wstring> full = NormalizeSelectedPath(path);
    if (!full)
        return;
    // The missing tail is passed over: its folders are made below the
    // deepest one that exists.
    std::wstring existing = *full;
    fx::CFileHandle item;
    while (!existing.empty() && !(item = OpenForIdentity(existing)))
        existing = ParentOf(existing);
    if (!item)
        return;
    AddWithParents(existing);
    // A link on the way may lead anywhere: the folders above where it leads
    // hold the destination too.
    if (const std::optional<std::wstring> final = FinalPath(item.Get()))
        AddWithParents(*final);
}

void CContainingFolders::AddWithParents(std::wstring path)
{
    for (; !path.empty(); path = ParentOf(path))
        if (const std::optional<FileIdentity> identity = IdentityOf(path))
            if (!Contain(*identity))
                m_folders.push_back(*identity);
}

bool CContainingFolders::Contain(const FileIdentity& identity) const
{
    return std::find(m_folders.begin(), m_folders.end(), identity) != m_folders.end();
}

bool CContainingFolders::Contain(const std::wstring& path) const
{
    const std::optional<FileIdentity> identity = IdentityOf(path);
    return identity && Contain(*identity);
}
