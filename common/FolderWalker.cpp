#include "common/FolderWalker.h"

#include "common/SelectedPath.h"
#include "framework/LongPath.h"

#include <atomic>
#include <utility>

namespace {

std::atomic<CFolderWalker::ListingDelay> g_listingDelay{nullptr};

bool IsSelfOrParent(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

bool EndsWithSeparator(const std::wstring& path)
{
    return !path.empty() && path.back() == L'\\';
}

} // namespace

uint64_t EntrySize(const WIN32_FIND_DATAW& entry)
{
    return (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

bool IsFolderToEnter(const WIN32_FIND_DATAW& entry)
{
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    // The listing gives a reparse point's tag in dwReserved0.
    const DWORD tag = entry.dwReserved0;
    return tag != 0 && !IsReparseTagNameSurrogate(tag);
}

void CFolderWalker::SetListingDelay(ListingDelay delay)
{
    g_listingDelay = delay;
}

CFolderWalker::CFolderWalker(WalkCallback onFile, WalkCallback onFolder, StopCheck shouldStop)
    : m_onFile(std::move(onFile)), m_onFolder(std::move(onFolder)), m_shouldStop(std::move(shouldStop))
{
}

bool CFolderWalker::Walk(const std::wstring& folder, bool recurse)
{
    // A relative path would be read against the current directory, which
    // belongs to whoever called last; the selected-path form refuses it.
    const std::optional<std::wstring> full = NormalizeSelectedPath(folder);
    if (!full)
        return true;
    m_path = *full;
    if (EndsWithSeparator(m_path) && m_path != PathRoot(m_path))
        m_path.pop_back();
    m_entriesSinceStopCheck = 0;
    const bool finished = WalkTree(recurse);
    m_levels.clear(); // a stopped walk leaves listings open
    return finished;
}

bool CFolderWalker::WalkTree(bool recurse)
{
    if (StopRequested())
        return false;
    bool haveEntry = Open(m_path.size());
    while (!m_levels.empty()) {
        if (!haveEntry) {
            Close();
            haveEntry = !m_levels.empty() && Next();
            continue;
        }
        if (++m_entriesSinceStopCheck >= kEntriesPerStopCheck && StopRequested())
            return false;
        if (!IsSelfOrParent(m_entry.cFileName)) {
            if (m_entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (m_onFolder)
                    m_onFolder(m_path, m_entry);
                // A link may lead anywhere, an ancestor included.
                if (recurse && IsFolderToEnter(m_entry)) {
                    if (StopRequested())
                        return false;
                    const size_t parentLength = m_path.size();
                    if (!EndsWithSeparator(m_path))
                        m_path += L'\\';
                    m_path += m_entry.cFileName;
                    if (Open(parentLength)) {
                        haveEntry = true; // the subfolder's first entry
                        continue;
                    }
                    m_path.resize(parentLength); // unreadable: it holds nothing we can count
                }
            } else if (m_onFile) {
                m_onFile(m_path, m_entry);
            }
        }
        haveEntry = Next();
    }
    return true;
}

bool CFolderWalker::Open(size_t parentLength)
{
    if (const ListingDelay delay = g_listingDelay)
        delay(m_path);
    const std::wstring pattern = fx::ExtendedLengthPath(m_path + (EndsWithSeparator(m_path) ? L"*" : L"\\*"));
    // The basic level skips the short names nobody here reads; the large
    // fetch asks for bigger batches per call to the file system.
    fx::CFindHandle find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &m_entry, FindExSearchNameMatch,
                                            nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        return false;
    m_levels.push_back({std::move(find), parentLength});
    return true;
}

bool CFolderWalker::Next()
{
    return ::FindNextFileW(m_levels.back().find.Get(), &m_entry) != FALSE;
}

void CFolderWalker::Close()
{
    m_path.resize(m_levels.back().parentLength);
    m_levels.pop_back();
}

bool CFolderWalker::StopRequested()
{
    m_entriesSinceStopCheck = 0;
    return m_shouldStop && m_shouldStop();
}

FolderTotals MeasureFolder(const std::wstring& folder, const StopCheck& shouldStop,
                           const std::function<void()>& onSubfolder)
{
    FolderTotals totals;
    CFolderWalker walker(
        [&totals](const std::wstring&, const WIN32_FIND_DATAW& entry) {
            ++totals.files;
            totals.bytes += EntrySize(entry);
        },
        [&totals, &onSubfolder](const std::wstring&, const WIN32_FIND_DATAW&) {
            ++totals.folders;
            if (onSubfolder)
                onSubfolder();
        },
        shouldStop);
    walker.Walk(folder);
    return totals;
}
