#include "properties/PieShares.h"

#include <algorithm>

namespace fennix {

namespace {
uint64_t Minus(uint64_t a, uint64_t b)
{
    return a > b ? a - b : 0;
}
} // namespace

int ShareInDegrees(uint64_t part, uint64_t whole)
{
    if (whole == 0)
        return 0;
    return static_cast<int>(static_cast<double>(std::min(part, whole)) / static_cast<double>(whole) * 360.0);
}

SPieShares ComputePieShares(uint64_t driveTotal, uint64_t driveFree, uint64_t folderTotal, uint64_t selectedSize)
{
    // Each slice takes at most what the ones before it left of the turn, the
    // selection first: it is what the user asked about.
    int left = 360;
    auto take = [&left](int degrees) {
        degrees = std::min(degrees, left);
        left -= degrees;
        return degrees;
    };
    SPieShares shares;
    shares.selected = take(ShareInDegrees(selectedSize, driveTotal));
    shares.total = take(ShareInDegrees(Minus(folderTotal, selectedSize), driveTotal));
    shares.others = take(ShareInDegrees(Minus(Minus(driveTotal, driveFree), folderTotal), driveTotal));
    shares.free = left;
    return shares;
}

} // namespace fennix
