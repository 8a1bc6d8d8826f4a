// Larkway's settings and favourites as they are kept in the per-user profile,
// section "Favorites":
//   "FAVS"       REG_DWORD  how many favourites "Add To Favorites" accepts
//   "CHECK"      REG_DWORD  1: selected folders are sized recursively
//   "AVAILABLE"  REG_DWORD  how many entries to read
//   "FAV0"...    REG_SZ     one favourite each: "name,target"
// Anyone can edit these values: loading bounds every number it reads.
#pragma once
#include "framework/Profile.h"

#include <string>
#include <vector>

namespace larkway {

struct Favorite {
    std::wstring name;   // may be empty
    std::wstring target; // a folder; favourites with an empty one are not kept
    bool operator==(const Favorite&) const = default;
};

// The numbers of favourites the options sheet offers; a stored "FAVS"
// outside is brought to the nearer end.
constexpr int kFewestFavorites = 0;
constexpr int kMostFavorites = 10;

struct LarkwaySettings {
    int maxFavorites = 6; // "FAVS", kept within kFewestFavorites..kMostFavorites
    int sizeFolders = 1;  // "CHECK", 0 or 1
    std::vector<Favorite> favorites;
};

// The most entries read or written. Entry k is named "FAV" followed by the
// character '0' + k, so entry 35 would be "FAVS", the value that holds the
// maximum number of favourites (and from entry 49, "FAVa", the names repeat
// earlier ones, as the registry ignores case). Entries 0 to 34, "FAV0" to
// "FAVR", are the ones that are values of their own. The bound also keeps an
// absurd "AVAILABLE" (two billion) from costing billions of registry reads.
constexpr int kMaxFavoriteEntries = 'S' - '0';

// The name of entry index, 0 <= index < kMaxFavoriteEntries: "FAV0".."FAV9",
// then "FAV:", "FAV;" and on up the character codes.
std::wstring FavoriteEntryName(int index);

// One entry's text and back. The text is split at the first comma followed by
// an absolute path ("X:\" or "\\"), so a name or a target holding commas
// survives; without such a comma at the first comma; without a comma the
// whole text is the target.
Favorite SplitFavorite(const std::wstring& text);
std::wstring JoinFavorite(const Favorite& favorite);
// Whether the favourite's entry reads back as the same favourite: a name
// holding a comma followed by an absolute path would be cut there.
bool StoresIntact(const Favorite& favorite);

// Start-up: while "AVAILABLE" reads 0 (absent, deleted, or never written),
// store the one favourite "Windows Directory" as "FAV0" and "AVAILABLE" 1.
void SeedFavorites(fx::CProfile& profile);

// Everything stored, with each number brought within its bounds. Entries with
// an empty target are skipped; the others keep their order.
LarkwaySettings LoadSettings(const fx::CProfile& profile);
// The favourites to save at the end of a run that loaded `loaded` and ends
// with `mine`, while the profile now holds `stored` (another window may
// have saved since): this run's additions and removals applied onto the
// stored list, so that closing one window never loses what another saved.
// When nobody else changed the list, it is `mine` as it is, order and all.
std::vector<Favorite> MergeFavorites(const std::vector<Favorite>& loaded, const std::vector<Favorite>& mine,
                                     const std::vector<Favorite>& stored);
// Writes the settings (within their bounds) and the favourites with a target
// as entries 0, 1, ... and "AVAILABLE" as their count. Entries a longer list
// left behind stay, unread.
void SaveSettings(fx::CProfile& profile, const LarkwaySettings& settings);

} // namespace larkway
