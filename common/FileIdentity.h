// Whether two paths name the same item, or one lies inside the other, decided
// by what the file system says the items are (volume and file id), never by
// the texts: short 8.3 names, other drive letters for the same folder,
// symbolic links and junctions on the way, case and "/" all lead to the same
// identity.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct FileIdentity {
    uint64_t volume = 0; // 0: the system could not say
    std::array<uint8_t, 16> id{};
    // The same file id on the same volume. A volume of 0 matches any: Wine
    // answers 0 for the volume whenever its mount manager does not answer,
    // also for an item it named a moment ago.
    bool operator==(const FileIdentity& other) const
    {
        return id == other.id && (volume == other.volume || !volume || !other.volume);
    }
};

// The identity of the item at a full path (links followed); none when
// nothing can be opened there.
std::optional<FileIdentity> IdentityOf(const std::wstring& path);

// Every folder a path is, or lies inside: the deepest part of it that exists
// and each folder above that, both along the path as written and along where
// its links really lead. A path whose tail does not exist yet still lies
// inside the folders its existing part lies in.
class CContainingFolders {
public:
    explicit CContainingFolders(const std::wstring& path);
    // True when the item at path is one of those folders.
    bool Contain(const std::wstring& path) const;
    bool Contain(const FileIdentity& identity) const;

private:
    void AddWithParents(std::wstring path);

    std::vector<FileIdentity> m_folders;
};

bool IsSameItem(const std::wstring& a, const std::wstring& b);
