#include "sendto/SendOperation.h"

#include "common/SelectedPath.h"
#include "controls/PathList.h"
#include "framework/MessageBox.h"
#include "outside/pallashell/SHFileOperation.h"
#include "outside/pallavol/DiskInfo.h"
#include "sendto/ArrivalCheck.h"
#include "sendto/SendChecks.h"
#include "sendto/SendRefusal.h"

namespace {

const UINT kWarning = MB_OK | MB_ICONEXCLAMATION;

// A drive root is usable when its drive can be read: it exists and holds a
// medium (the figures are read without the system's "no disk" box).
bool DriveRootIsReady(const std::wstring& root)
{
    return !PathRoot(root).empty() && CDiskInfo(root).GetDriveTypeA() != L"Error";
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

SendOutcome CSendOperation::Send(HWND owner, const std::vector<std::wstring>& sources, const std::wstring& destination,
                                 bool move) const
{
    SendOutcome outcome{false, destination};
    std::wstring& target = outcome.destination;
    // Three characters name a drive root ("E:\"): it must be there and ready.
    if (target.size() == 3) {
        if (!DriveRootIsReady(target)) {
            fx::MessageBox(owner, L"Invalid Drive", MB_OK);
            return outcome;
        }
    } else if (!target.empty() && target.back() == L'\\') {
        target.pop_back();
    }
    // A relative destination would depend on whatever the current folder is.
    if (!NormalizeSelectedPath(target)) {
        fx::MessageBox(owner, L"Nothing was sent. " + target + L" is not a full folder path.", kWarning);
        return outcome;
    }

    const CArrivalCheck check(sources, target);
    // The file system of the drive the destination folder is (or will be) on.
    const std::wstring fileSystem = CDiskInfo(PathRoot(target)).m_FileSystemName;
    if (const std::wstring refusal = RefusalText(check.Items(), target, move, fileSystem); !refusal.empty()) {
        fx::MessageBox(owner, refusal, kWarning);
        return outcome;
    }

    CSHFileOperation operation;
    if (!Exists(target)) {
        // Declining sends nothing: a single file would otherwise take the folder's name.
        if (fx::MessageBox(owner, L"The Folder " + target + L" does not exist.\nDo you want to create it?",
                           L"Create Folder?", MB_YESNO | MB_ICONQUESTION) != IDYES)
            return outcome;
        if (!operation.CreateFolders(target)) {
            fx::MessageBox(owner, L"Nothing was sent. The Folder " + target + L" could not be created.", kWarning);
            return outcome;
        }
    }

    CPathList list;
    for (const std::wstring& source : sources)
        list.Add(source);
    const FILEOP_FLAGS flags = static_cast<FILEOP_FLAGS>(FOF_ALLOWUNDO | m_extraFlags);
    if (move)
        operation.MoveFiles(owner, list.GetMultiString(), target, flags, L"Moving...");
    else
        operation.CopyFiles(owner, list.GetMultiString(), target, flags, L"Copying...");
    outcome.sent = true;

    // The shell's answer is not trusted: it reports some failures as success.
    if (const std::vector<std::wstring> missing = check.Settle(); !missing.empty())
        fx::MessageBox(owner, L"Not everything was sent. These items did not arrive whole in " + target + L":" +
                                  PathLines(missing), kWarning);
    return outcome;
}
