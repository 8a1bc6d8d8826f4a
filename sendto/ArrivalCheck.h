// What a send delivered, judged on disk: the shell reports some failures as
// success (a copy cut short by a full drive, a folder sent into itself), so
// each item is measured before the send and its copy after.
#pragma once
#include "sendto/ItemTree.h"

#include <optional>
#include <string>
#include <vector>

class CArrivalCheck {
public:
    struct Item {
        std::wstring source;
        std::wstring target;                      // where the item lands in the destination folder
        std::optional<ItemTotals> sourceBefore;   // none when the source was gone already
        std::optional<ItemTotals> targetBefore;   // what stood at the target before the send
    };

    // Measures every source and what already stands where it will land.
    CArrivalCheck(const std::vector<std::wstring>& sources, const std::wstring& destination);

    const std::vector<Item>& Items() const { return m_items; }

    // After the send: the sources whose copy did not arrive whole from this
    // send. What the send left half-made at the destination is taken away,
    // but only where nothing stood before and the source is still there
    // whole, so that nothing exists only in the copy that goes.
    std::vector<std::wstring> Settle() const;

private:
    static bool ArrivedWhole(const Item& item);

    std::vector<Item> m_items;
};
