// What a send delivered, judged on disk: the shell reports some failures as
// success (a copy cut short by a full drive, a folder sent into itself), so
// each item is listed before the send and its copy after.
#pragma once
#include "sendto/ItemTree.h"

#include <optional>
#include <string>
#include <vector>

namespace larkway {

class CArrivalCheck {
public:
    struct Item {
        std::wstring source;
        std::wstring target;                        // where the item lands in the destination folder
        std::optional<ItemContents> sourceBefore;   // none when the source was gone already
        std::optional<ItemContents> targetBefore;   // what stood at the target before the send
    };

    // Lists every source and what already stands where it will land.
    CArrivalCheck(const std::vector<std::wstring>& sources, const std::wstring& destination);

    const std::vector<Item>& Items() const { return m_items; }

    // After the send: the sources some file of which did not arrive whole.
    // A copy is taken away only where it is provably cut off (a file shorter
    // than its source), nothing stood there before the send, and the source
    // is still there whole: nothing that may be complete, and nothing that
    // exists only in the copy, ever goes.
    std::vector<std::wstring> Settle() const;

private:
    std::vector<Item> m_items;
};

} // namespace larkway
