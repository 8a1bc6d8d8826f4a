#include "sendto/ArrivalCheck.h"

#include "sendto/SendChecks.h"

namespace larkway {

namespace {

using Item = CArrivalCheck::Item;

// FAT keeps write times to two seconds only.
bool SameWriteTime(uint64_t a, uint64_t b)
{
    const uint64_t kTwoSeconds = 20'000'000; // in 100-nanosecond ticks
    return (a > b ? a - b : b - a) <= kTwoSeconds;
}

// Every file of the source stands in the copy at its place, as long as the
// source's. The copy may hold more: a folder merged into one of the same
// name, or what a link inside the source led to (its files are not listed).
// A file that stood there before counts only when it now carries the
// source's write time (a copy keeps it), not when it is the old file left alone.
bool ArrivedWhole(const Item& item, const ItemContents& now)
{
    for (const auto& [name, source] : item.sourceBefore->files) {
        const auto copy = now.files.find(name);
        if (copy == now.files.end() || copy->second.bytes != source.bytes)
            return false;
        if (item.targetBefore && item.targetBefore->files.count(name) &&
            !SameWriteTime(copy->second.written, source.written))
            return false;
    }
    return true;
}

bool CutOff(const ItemContents& source, const ItemContents& copy)
{
    for (const auto& [name, file] : copy.files)
        if (const auto original = source.files.find(name);
            original != source.files.end() && file.bytes < original->second.bytes)
            return true;
    return false;
}

bool SameFiles(const ItemContents& a, const ItemContents& b)
{
    if (a.files.size() != b.files.size())
        return false;
    for (const auto& [name, file] : a.files)
        if (const auto other = b.files.find(name); other == b.files.end() || other->second.bytes != file.bytes)
            return false;
    return true;
}

} // namespace

CArrivalCheck::CArrivalCheck(const std::vector<std::wstring>& sources, const std::wstring& destination)
{
    for (const std::wstring& source : sources) {
        std::wstring target = TargetPath(source, destination);
        std::optional<ItemContents> targetBefore = ListItem(target);
        m_items.push_back({source, std::move(target), ListItem(source), std::move(targetBefore)});
    }
}

std::vector<std::wstring> CArrivalCheck::Settle() const
{
    std::vector<std::wstring> missing;
    for (const Item& item : m_items) {
        const std::optional<ItemContents> now = ListItem(item.target);
        if (item.sourceBefore && now && ArrivedWhole(item, *now))
            continue;
        missing.push_back(item.source);
        if (item.targetBefore || !item.sourceBefore || !now || !CutOff(*item.sourceBefore, *now))
            continue;
        const std::optional<ItemContents> sourceNow = ListItem(item.source);
        if (sourceNow && SameFiles(*sourceNow, *item.sourceBefore))
            RemoveItem(item.target);
    }
    return missing;
}

} // namespace larkway
