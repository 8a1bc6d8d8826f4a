#include "sendto/SendOperation.h"

#include "common/FolderWalker.h"
#include "common/SelectedPath.h"
#include "framework/LongPath.h"
#include "controls/PathList.h"
#include "framework/MessageBox.h"
#include "framework/Trace.h"
#include "outside/pallashell/SHFileOperation.h"
#include "outside/pallavol/DiskInfo.h"
#include "sendto/ArrivalCheck.h"
#include "sendto/SendChecks.h"
#include "sendto/SendRefusal.h"

namespace larkway {

namespace {

const UINT kWarning = MB_OK | MB_ICONEXCLAMATION;

// A drive root is usable when its drive can be read: it exists and holds a
// medium (the figures are read without the system's "no disk" box).
bool DriveRootIsReady(const std::wstring& root)
{
    return !PathRoot(root).empty() && CDiskInfo(root).IsReadable();
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(fx::ExtendedLengthPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(fx::ExtendedLengthPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The items one call of the shell sends into one folder.
struct SendGroup {
    std::wstring into;
    std::vector<std::wstring> items;
    bool merged = false; // the items are the contents of a folder sent onto its namesake
};

// A folder sent onto a folder of the same name is merged into it, the shell
// asking before it replaces a file. Handed over whole, Wine's shell puts it
// inside that folder instead (dest\S\S): its contents go one by one, and so
// on down for every folder that meets a namesake.
// merged collects the folders whose contents went one by one.
void AddToGroups(const std::wstring& source, const std::wstring& into, std::vector<SendGroup>& groups,
                 std::vector<std::wstring>& merged)
{
    const std::wstring target = TargetPath(source, into);
    if (!IsFolder(source) || !IsFolder(target)) {
        if (groups.empty() || groups.back().into != into || groups.back().merged)
            groups.push_back({into, {}, false});
        groups.back().items.push_back(source);
        return;
    }
    merged.push_back(source);
    std::vector<std::wstring> contents;
    CFolderWalker walker([&contents](const std::wstring& in, const WIN32_FIND_DATAW& entry) {
        contents.push_back(in + L"\\" + entry.cFileName);
    }, [&contents](const std::wstring& in, const WIN32_FIND_DATAW& entry) {
        contents.push_back(in + L"\\" + entry.cFileName);
    }, nullptr);
    walker.Walk(source, false);
    std::vector<SendGroup> inner;
    for (const std::wstring& item : contents)
        AddToGroups(item, target, inner, merged);
    for (SendGroup& group : inner) {
        group.merged = true;
        groups.push_back(std::move(group));
    }
}

} // namespace

SendOutcome CSendOperation::Send(HWND owner, const std::vector<std::wstring>& sources, const std::wstring& destination,
                                 bool move) const
{
    SendOutcome outcome{false, destination};
    std::wstring& target = outcome.destination;
    // What is checked, shown and sent is the destination as the platform
    // reads it ("D:\dest " is D:\dest), never the raw text.
    const std::optional<std::wstring> normalized = NormalizeTypedPath(target);
    if (!normalized) {
        // A relative destination would depend on whatever the current folder is.
        if (!target.empty() && target.back() == L'\\')
            target.pop_back();
        fx::Trace(L"Send refused: the destination is not a full folder path: " + target);
        fx::MessageBox(owner, L"Nothing was sent. " + target + L" is not a full folder path.", kWarning);
        return outcome;
    }
    target = *normalized;
    if (target.size() > PathRoot(target).size() && target.back() == L'\\')
        target.pop_back();
    // A drive root ("E:\") must be there and ready.
    if (target == PathRoot(target) && !DriveRootIsReady(target)) {
        fx::Trace(L"Send refused: the drive cannot be read: " + target);
        fx::MessageBox(owner, L"Invalid Drive", MB_OK);
        return outcome;
    }

    const CArrivalCheck check(sources, target);
    // The file system of the drive the destination folder is (or will be) on.
    const std::wstring fileSystem = CDiskInfo(PathRoot(target)).m_FileSystemName;
    if (const std::wstring refusal = RefusalText(check.Items(), target, move, fileSystem); !refusal.empty()) {
        fx::Trace(L"Send refused: " + refusal);
        fx::MessageBox(owner, refusal, kWarning);
        return outcome;
    }

    CSHFileOperation operation;
    if (!Exists(target)) {
        // Declining sends nothing: a single file would otherwise take the folder's name.
        if (fx::MessageBox(owner, L"The Folder " + target + L" does not exist.\nDo you want to create it?",
                           L"Create Folder?", MB_YESNO | MB_ICONQUESTION) != IDYES)
            return outcome;
        if (!operation.CreateFolders(target)) { // the shell's own error is in the trail already
            fx::MessageBox(owner, L"Nothing was sent. The Folder " + target + L" could not be created.", kWarning);
            return outcome;
        }
    }

    std::vector<SendGroup> groups;
    std::vector<std::wstring> merged;
    for (const std::wstring& source : sources)
        AddToGroups(source, target, groups, merged);
    const FILEOP_FLAGS flags = static_cast<FILEOP_FLAGS>(FOF_ALLOWUNDO | m_extraFlags);
    for (const SendGroup& group : groups) {
        CPathList list;
        for (const std::wstring& item : group.items)
            list.Add(item);
        if (move)
            operation.MoveFiles(owner, list.GetMultiString(), group.into, flags, L"Moving...");
        else
            operation.CopyFiles(owner, list.GetMultiString(), group.into, flags, L"Copying...");
    }
    // A merged move leaves the folders whose contents went behind, empty
    // (the inner ones first; one that still holds something stays).
    if (move)
        for (auto folder = merged.rbegin(); folder != merged.rend(); ++folder)
            ::RemoveDirectoryW(fx::ExtendedLengthPath(*folder).c_str());
    outcome.sent = true;

    // The shell's answer is not trusted: it reports some failures as success.
    if (const std::vector<std::wstring> missing = check.Settle(); !missing.empty()) {
        fx::Trace(L"Send incomplete: " + std::to_wstring(missing.size()) + L" items did not arrive whole in " + target);
        fx::MessageBox(owner, L"Not everything was sent. These items did not arrive whole in " + target + L":" +
                                  PathLines(missing), kWarning);
    }
    return outcome;
}

} // namespace larkway
