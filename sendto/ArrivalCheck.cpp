#include "sendto/ArrivalCheck.h"

#include "sendto/SendChecks.h"

namespace {

// FAT keeps write times to two seconds only.
bool SameWriteTime(uint64_t a, uint64_t b)
{
    const uint64_t kTwoSeconds = 20'000'000; // in 100-nanosecond ticks
    return (a > b ? a - b : b - a) <= kTwoSeconds;
}

} // namespace

CArrivalCheck::CArrivalCheck(const std::vector<std::wstring>& sources, const std::wstring& destination)
{
    for (const std::wstring& source : sources) {
        std::wstring target = TargetPath(source, destination);
        m_items.push_back({source, target, MeasureItem(source), MeasureItem(target)});
    }
}

bool CArrivalCheck::ArrivedWhole(const Item& item)
{
    const std::optional<ItemTotals> now = MeasureItem(item.target);
    if (!now || !item.sourceBefore || !now->SameSize(*item.sourceBefore))
        return false;
    // Something stood there before: it counts only when it now carries the
    // source's files (a copy keeps their write times), not when it is the
    // old item left alone.
    return !item.targetBefore || SameWriteTime(now->newestWrite, item.sourceBefore->newestWrite);
}

std::vector<std::wstring> CArrivalCheck::Settle() const
{
    std::vector<std::wstring> missing;
    for (const Item& item : m_items) {
        if (ArrivedWhole(item))
            continue;
        missing.push_back(item.source);
        const std::optional<ItemTotals> sourceNow = MeasureItem(item.source);
        if (!item.targetBefore && item.sourceBefore && sourceNow && sourceNow->SameSize(*item.sourceBefore))
            RemoveItem(item.target);
    }
    return missing;
}
