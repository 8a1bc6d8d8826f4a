// How the space of a drive divides into the four slices of the pie page, in
// whole degrees of the turn. All figures are 64-bit byte counts.
#pragma once
#include <cstdint>

namespace fennix {

struct SPieShares {
    int others = 0;   // used space of the drive outside the folder page's items
    int free = 360;   // free space, and whatever the truncation of the others lost
    int total = 0;    // the folder page's items that are not selected
    int selected = 0; // the selected items
};

// The share of whole that part is, in degrees truncated toward zero; 0 of an
// empty whole, never more than the whole turn.
int ShareInDegrees(uint64_t part, uint64_t whole);

// Figures that do not fit the drive (items counted that lie on another drive,
// a folder total above the drive's used space) give no negative slice: what
// would be negative is 0, and the four slices always add up to 360 degrees.
SPieShares ComputePieShares(uint64_t driveTotal, uint64_t driveFree, uint64_t folderTotal, uint64_t selectedSize);

} // namespace fennix
