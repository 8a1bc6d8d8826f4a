#include "sendto/SendRefusal.h"

#include "common/FileIdentity.h"
#include "framework/LongPath.h"
#include "sendto/SendChecks.h"

#include <algorithm>
#include <functional>
#include <memory>

namespace larkway {

namespace {

using Item = CArrivalCheck::Item;

// One reason to send nothing: what to tell the user, and for each item what
// to name in it (empty when the reason does not apply to the item).
struct Refusal {
    std::wstring text;
    std::function<std::wstring(const Item&)> offender;
};

// A reason that names the item itself.
std::function<std::wstring(const Item&)> Naming(std::function<bool(const Item&)> applies)
{
    return [applies](const Item& item) { return applies(item) ? item.source : std::wstring(); };
}

std::vector<Refusal> Refusals(const std::vector<Item>& items, const std::wstring& destination, bool move,
                              const std::wstring& fileSystem)
{
    std::vector<std::wstring> sources;
    for (const Item& item : items)
        sources.push_back(item.source);
    const std::vector<std::wstring> sharing = ItemsSharingAName(sources);
    // However the destination is written (a short name, another drive
    // letter, a link on the way), what it lies in is decided by identity.
    auto containing = std::make_shared<CContainingFolders>(destination);
    return {
        {L"Nothing was sent. These items no longer exist:", Naming([](const Item& item) { return !item.sourceBefore; })},
        // Only the extended-length form keeps such a name, and the shell's
        // operation takes no path in that form: it would act on another item.
        {L"Nothing was sent. The shell cannot copy or move an item whose name ends in a dot or a space:",
         [](const Item& item) {
             return fx::WithoutExtendedPrefix(item.source) != item.source ? fx::WithoutExtendedPrefix(item.source)
                                                                          : std::wstring();
         }},
        {L"Nothing was sent. A folder cannot be sent into itself or into a folder inside it:",
         Naming([containing](const Item& item) { return containing->Contain(item.source); })},
        {std::wstring(L"Nothing was sent. These items are already in ") + destination + L" and would be " +
             (move ? L"moved" : L"copied") + L" onto themselves:",
         Naming([](const Item& item) { return IsSameItem(item.target, item.source); })},
        {L"Nothing was sent. These items have the same name and would replace each other in " + destination + L":",
         Naming([sharing](const Item& item) {
             return std::find(sharing.begin(), sharing.end(), item.source) != sharing.end();
         })},
        // The file itself is named, also when it lies deep in a selected folder.
        {L"Nothing was sent. " + destination + L" is on a " + fileSystem +
             L" drive, which cannot hold a file of 4 GB or more:",
         [fileSystem](const Item& item) {
             return item.sourceBefore && FileSystemCannotHold(fileSystem, item.sourceBefore->largestFile)
                        ? item.sourceBefore->largestFilePath
                        : std::wstring();
         }},
    };
}

} // namespace

std::wstring RefusalText(const std::vector<Item>& items, const std::wstring& destination, bool move,
                        const std::wstring& destinationFileSystem)
{
    for (const Refusal& refusal : Refusals(items, destination, move, destinationFileSystem)) {
        std::vector<std::wstring> offending;
        for (const Item& item : items)
            if (std::wstring name = refusal.offender(item); !name.empty())
                offending.push_back(std::move(name));
        if (!offending.empty())
            return refusal.text + PathLines(offending);
    }
    return std::wstring();
}

} // namespace larkway
