#include "sendto/FavoritesStore.h"

#include "framework/GrowBuffer.h"

#include <algorithm>

namespace larkway {

namespace {
const wchar_t kSection[] = L"Favorites";
const wchar_t kMaxFavoritesEntry[] = L"FAVS";
const wchar_t kSizeFoldersEntry[] = L"CHECK";
const wchar_t kAvailableEntry[] = L"AVAILABLE";

int BoundMaxFavorites(int value)
{
    return std::clamp(value, kFewestFavorites, kMostFavorites);
}

// A switch, read as Windows reads a BOOL: anything but 0 is on.
int BoundSizeFolders(int value)
{
    return value != 0 ? 1 : 0;
}

bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// Whether an absolute path begins at position at: "X:\" or "\\".
bool StartsAbsolutePath(const std::wstring& text, size_t at)
{
    if (text.compare(at, 2, L"\\\\") == 0)
        return true;
    return text.size() >= at + 3 && IsAsciiLetter(text[at]) && text[at + 1] == L':' && text[at + 2] == L'\\';
}
} // namespace

std::wstring FavoriteEntryName(int index)
{
    return std::wstring(L"FAV") + static_cast<wchar_t>(L'0' + index);
}

Favorite SplitFavorite(const std::wstring& text)
{
    const size_t first = text.find(L',');
    if (first == std::wstring::npos)
        return {L"", text};
    size_t cut = first;
    for (size_t comma = first; comma != std::wstring::npos; comma = text.find(L',', comma + 1)) {
        if (StartsAbsolutePath(text, comma + 1)) {
            cut = comma;
            break;
        }
    }
    return {text.substr(0, cut), text.substr(cut + 1)};
}

std::wstring JoinFavorite(const Favorite& favorite)
{
    return favorite.name + L"," + favorite.target;
}

bool StoresIntact(const Favorite& favorite)
{
    return SplitFavorite(JoinFavorite(favorite)) == favorite;
}

void SeedFavorites(fx::CProfile& profile)
{
    if (profile.GetProfileInt(kSection, kAvailableEntry, 0) != 0)
        return;
    const auto windows =
        fx::ReadGrowingText([](wchar_t* buffer, DWORD size) { return ::GetWindowsDirectoryW(buffer, size); });
    // Without the folder there is nothing for the favourite to point at.
    if (!windows)
        return;
    if (profile.WriteProfileString(kSection, FavoriteEntryName(0), JoinFavorite({L"Windows Directory", *windows})))
        profile.WriteProfileInt(kSection, kAvailableEntry, 1);
}

LarkwaySettings LoadSettings(const fx::CProfile& profile)
{
    LarkwaySettings settings;
    settings.maxFavorites =
        BoundMaxFavorites(profile.GetProfileInt(kSection, kMaxFavoritesEntry, settings.maxFavorites));
    settings.sizeFolders = BoundSizeFolders(profile.GetProfileInt(kSection, kSizeFoldersEntry, settings.sizeFolders));
    const int available = std::min(profile.GetProfileInt(kSection, kAvailableEntry, 0), kMaxFavoriteEntries);
    for (int k = 0; k < available; ++k) {
        Favorite favorite = SplitFavorite(profile.GetProfileString(kSection, FavoriteEntryName(k), L""));
        // An entry without a target is skipped; the later ones keep their numbers.
        if (!favorite.target.empty())
            settings.favorites.push_back(std::move(favorite));
    }
    return settings;
}

std::vector<Favorite> MergeFavorites(const std::vector<Favorite>& loaded, const std::vector<Favorite>& mine,
                                     const std::vector<Favorite>& stored)
{
    if (stored == loaded)
        return mine;
    const auto holds = [](const std::vector<Favorite>& list, const Favorite& favorite) {
        return std::find(list.begin(), list.end(), favorite) != list.end();
    };
    std::vector<Favorite> merged;
    // What this run removed (or renamed or retargeted away) goes...
    for (const Favorite& favorite : stored)
        if (holds(mine, favorite) || !holds(loaded, favorite))
            merged.push_back(favorite);
    // ...and what it added comes after what is there.
    for (const Favorite& favorite : mine)
        if (!holds(loaded, favorite) && !holds(merged, favorite))
            merged.push_back(favorite);
    return merged;
}

void SaveSettings(fx::CProfile& profile, const LarkwaySettings& settings)
{
    profile.WriteProfileInt(kSection, kMaxFavoritesEntry, BoundMaxFavorites(settings.maxFavorites));
    profile.WriteProfileInt(kSection, kSizeFoldersEntry, BoundSizeFolders(settings.sizeFolders));
    int written = 0;
    for (const Favorite& favorite : settings.favorites) {
        // Entries past the last one loading reads would be lost anyway.
        if (written == kMaxFavoriteEntries)
            break;
        // A failed write leaves its number to the next favourite, so
        // "AVAILABLE" never counts an entry that is not there.
        if (!favorite.target.empty() &&
            profile.WriteProfileString(kSection, FavoriteEntryName(written), JoinFavorite(favorite)))
            ++written;
    }
    profile.WriteProfileInt(kSection, kAvailableEntry, written);
}

} // namespace larkway
