#include "sendto/SendOperation.h"

#include "common/SelectedPath.h"
#include "framework/MessageBox.h"
#include "outside/pallashell/SHFileOperation.h"
#include "outside/pallavol/DiskInfo.h"
#include "sendto/ArrivalCheck.h"
#include "sendto/SendChecks.h"

#include <algorithm>
#include <functional>

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

std::wstring Lines(const std::vector<std::wstring>& paths)
{
    std::wstring lines;
    for (const std::wstring& path : paths)
        lines += L"\n" + path;
    return lines;
}

// One reason to send nothing: the items it applies to, and what to tell the user.
struct Refusal {
    std::function<bool(const CArrivalCheck::Item&)> applies;
    std::wstring text;
};

std::vector<Refusal> Refusals(const std::vector<std::wstring>& sources, const std::wstring& destination, bool move)
{
    const std::vector<std::wstring> sharing = ItemsSharingAName(sources);
    // The file system of the drive the destination folder is (or will be) on.
    const std::wstring fileSystem = CDiskInfo(PathRoot(destination)).m_FileSystemName;
    return {
        {[](const CArrivalCheck::Item& item) { return !item.sourceBefore; },
         L"Nothing was sent. These items no longer exist:"},
        {[&destination](const CArrivalCheck::Item& item) { return IsSameOrInside(destination, item.source); },
         L"Nothing was sent. A folder cannot be sent into itself or into a folder inside it:"},
        {[&destination](const CArrivalCheck::Item& item) { return SamePath(item.target, item.source); },
         std::wstring(L"Nothing was sent. These items are already in ") + destination + L" and would be " +
             (move ? L"moved" : L"copied") + L" onto themselves:"},
        {[sharing](const CArrivalCheck::Item& item) {
             return std::find(sharing.begin(), sharing.end(), item.source) != sharing.end();
         },
         L"Nothing was sent. These items have the same name and would replace each other in " + destination + L":"},
        {[fileSystem](const CArrivalCheck::Item& item) {
             return item.sourceBefore && FileSystemCannotHold(fileSystem, item.sourceBefore->largestFile);
         },
         L"Nothing was sent. " + destination + L" is on a " + fileSystem +
             L" drive, which cannot hold a file of 4 GB or more. These items hold such a file:"},
    };
}

// The first reason the send must not happen, as the text to show; empty when it may.
std::wstring RefusalText(const CArrivalCheck& check, const std::vector<std::wstring>& sources,
                         const std::wstring& destination, bool move)
{
    for (const Refusal& refusal : Refusals(sources, destination, move)) {
        std::vector<std::wstring> offending;
        for (const CArrivalCheck::Item& item : check.Items())
            if (refusal.applies(item))
                offending.push_back(item.source);
        if (!offending.empty())
            return refusal.text + Lines(offending);
    }
    return std::wstring();
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
    if (const std::wstring refusal = RefusalText(check, sources, target, move); !refusal.empty()) {
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

    const std::wstring list = [&sources] {
        std::wstring multi;
        for (const std::wstring& source : sources)
            multi += source + L'\0';
        return multi; // c_str() adds the list's final NUL
    }();
    const FILEOP_FLAGS flags = static_cast<FILEOP_FLAGS>(FOF_ALLOWUNDO | m_extraFlags);
    if (move)
        operation.MoveFiles(owner, list.c_str(), target, flags, L"Moving...");
    else
        operation.CopyFiles(owner, list.c_str(), target, flags, L"Copying...");
    outcome.sent = true;

    // The shell's answer is not trusted: it reports some failures as success.
    if (const std::vector<std::wstring> missing = check.Settle(); !missing.empty())
        fx::MessageBox(owner, L"Not everything was sent. These items did not arrive whole in " + target + L":" +
                                  Lines(missing), kWarning);
    return outcome;
}
