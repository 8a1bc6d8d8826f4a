#include "sendto/SendChecks.h"

#include "common/SelectedPath.h"

#include <windows.h>

#include <map>

namespace larkway {

namespace {

bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

} // namespace

std::wstring TargetPath(const std::wstring& source, const std::wstring& destination)
{
    const std::wstring name = ItemName(source);
    const std::wstring target =
        !destination.empty() && destination.back() == L'\\' ? destination + name : destination + L'\\' + name;
    return NormalizeSelectedPath(target).value_or(target);
}

std::vector<std::wstring> ItemsSharingAName(const std::vector<std::wstring>& sources)
{
    // Grouped by the name in capitals, as the file systems compare names:
    // a selection of thousands is checked in one pass.
    std::map<std::wstring, int> counts;
    std::vector<std::wstring> keys;
    for (const std::wstring& source : sources) {
        std::wstring key = ItemName(source);
        ::CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
        ++counts[key];
        keys.push_back(std::move(key));
    }
    std::vector<std::wstring> sharing;
    for (size_t i = 0; i < sources.size(); ++i)
        if (counts[keys[i]] > 1)
            sharing.push_back(sources[i]);
    return sharing;
}

std::wstring PathLines(const std::vector<std::wstring>& paths)
{
    std::wstring lines;
    for (const std::wstring& path : paths)
        lines += L"\n" + path;
    return lines;
}

bool FileSystemCannotHold(const std::wstring& fileSystemName, uint64_t fileBytes)
{
    const uint64_t kFatLimit = 0x100000000ull; // 4 GiB
    const bool fat = EqualIgnoringCase(fileSystemName, L"FAT") || EqualIgnoringCase(fileSystemName, L"FAT12") ||
                     EqualIgnoringCase(fileSystemName, L"FAT16") || EqualIgnoringCase(fileSystemName, L"FAT32");
    return fat && fileBytes >= kFatLimit;
}

} // namespace larkway
