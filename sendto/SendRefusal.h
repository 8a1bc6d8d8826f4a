// Why a send must not happen, judged before anything is touched: a send
// that would lose or cut off something is refused as a whole.
#pragma once
#include "sendto/ArrivalCheck.h"

#include <string>
#include <vector>

namespace larkway {

// The text that tells the user why nothing is sent, naming what it is about;
// empty when the send may go ahead. items are the selection as measured
// before the send, destination the folder without its trailing backslash,
// destinationFileSystem the file system name of the drive it is on.
std::wstring RefusalText(const std::vector<CArrivalCheck::Item>& items, const std::wstring& destination, bool move,
                         const std::wstring& destinationFileSystem);

} // namespace larkway
