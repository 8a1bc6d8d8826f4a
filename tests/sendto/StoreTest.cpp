#include "sendto/FavoritesStore.h"
#include "tests/support/ScratchProfile.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace larkway {

using testing_support::ScratchProfile;
using Values = std::map<std::wstring, ScratchProfile::Value>;
using Favorites = std::vector<Favorite>;

// Found by GoogleTest for failure messages.
void PrintTo(const Favorite& favorite, std::ostream* out)
{
    *out << testing::PrintToString(favorite.name) << " -> " << testing::PrintToString(favorite.target);
}

namespace {
const wchar_t kSection[] = L"Favorites";

std::wstring WindowsDirectory()
{
    wchar_t buffer[32768] = {};
    const UINT length = ::GetWindowsDirectoryW(buffer, 32768);
    EXPECT_GT(length, 0u);
    return std::wstring(buffer, length);
}

// Favourites with names that show their order: "Name 0" -> "C:\Folder 0"...
Favorites NumberedFavorites(int count)
{
    Favorites favorites;
    for (int i = 0; i < count; ++i)
        favorites.push_back({L"Name " + std::to_wstring(i), L"C:\\Folder " + std::to_wstring(i)});
    return favorites;
}

// The same favourites stored as entries 0, 1, ... with "AVAILABLE" as given.
void StoreEntries(const ScratchProfile& scratch, const Favorites& favorites, DWORD available)
{
    for (size_t k = 0; k < favorites.size(); ++k)
        scratch.SetString(kSection, FavoriteEntryName(static_cast<int>(k)), JoinFavorite(favorites[k]));
    scratch.SetDword(kSection, L"AVAILABLE", available);
}
} // namespace

// --- Start-up seed -----------------------------------------------------------

TEST(Seed, AnEmptyProfileOrAvailableZeroGetsTheWindowsDirectoryAndStoredFavouritesAreLeftAlone)
{
    const std::wstring seeded = L"Windows Directory," + WindowsDirectory();
    {
        ScratchProfile scratch;
        SeedFavorites(scratch.Profile());
        EXPECT_EQ(scratch.Values(kSection), (Values{{L"AVAILABLE", DWORD{1}}, {L"FAV0", seeded}}));
        EXPECT_EQ(LoadSettings(scratch.Profile()).favorites, (Favorites{{L"Windows Directory", WindowsDirectory()}}));
    }
    {
        // Seeded again over what is left.
        ScratchProfile scratch;
        scratch.SetDword(kSection, L"FAVS", 3);
        scratch.SetString(kSection, L"FAV0", L"Old,C:\\Old");
        scratch.SetString(kSection, L"FAV1", L"Other,D:\\Other");
        scratch.SetDword(kSection, L"AVAILABLE", 0);
        SeedFavorites(scratch.Profile());
        EXPECT_EQ(scratch.Values(kSection), (Values{{L"AVAILABLE", DWORD{1}},
                                                    {L"FAV0", seeded},
                                                    {L"FAV1", L"Other,D:\\Other"},
                                                    {L"FAVS", DWORD{3}}}));
    }
    ScratchProfile scratch;
    StoreEntries(scratch, NumberedFavorites(2), 2);
    const Values before = scratch.Values(kSection);
    SeedFavorites(scratch.Profile());
    EXPECT_EQ(scratch.Values(kSection), before);
}

// --- Loading and saving --------------------------------------------------------

TEST(Store, AnEmptyProfileLoadsTheDefaultsAndSavesThem)
{
    ScratchProfile scratch;
    const LarkwaySettings settings = LoadSettings(scratch.Profile());
    EXPECT_EQ(settings.maxFavorites, 6);
    EXPECT_EQ(settings.sizeFolders, 1);
    EXPECT_TRUE(settings.favorites.empty());

    SaveSettings(scratch.Profile(), settings);
    EXPECT_EQ(scratch.Values(kSection),
              (Values{{L"AVAILABLE", DWORD{0}}, {L"CHECK", DWORD{1}}, {L"FAVS", DWORD{6}}}));
}

TEST(Store, SettingsAndFavouritesComeBackAsSavedButOneWithoutATarget)
{
    ScratchProfile scratch;
    LarkwaySettings settings;
    settings.maxFavorites = 8;
    settings.sizeFolders = 0;
    settings.favorites = {
        {L"Data", L"E:\\Data"}, {L"Nowhere", L""}, {L"", L"\\\\server\\share\\x"}, {L"Rel", L"relative"}};
    SaveSettings(scratch.Profile(), settings);
    settings.favorites.erase(settings.favorites.begin() + 1);

    EXPECT_EQ(scratch.Values(kSection), (Values{{L"AVAILABLE", DWORD{3}},
                                                {L"CHECK", DWORD{0}},
                                                {L"FAV0", L"Data,E:\\Data"},
                                                {L"FAV1", L",\\\\server\\share\\x"},
                                                {L"FAV2", L"Rel,relative"},
                                                {L"FAVS", DWORD{8}}}));
    const LarkwaySettings loaded = LoadSettings(scratch.Profile());
    EXPECT_EQ(loaded.maxFavorites, 8);
    EXPECT_EQ(loaded.sizeFolders, 0);
    EXPECT_EQ(loaded.favorites, settings.favorites);
}

TEST(Store, AnEntryWithoutATargetIsSkippedAndTheRestRenumberedOnSave)
{
    // Entry 1 empty, without a target after its comma, or missing.
    for (const wchar_t* entry1 : std::initializer_list<const wchar_t*>{L"", L"Name only,", nullptr}) {
        SCOPED_TRACE(testing::PrintToString(entry1 ? entry1 : L"(missing)"));
        ScratchProfile scratch;
        scratch.SetString(kSection, L"FAV0", L"A,C:\\A");
        if (entry1)
            scratch.SetString(kSection, L"FAV1", entry1);
        scratch.SetString(kSection, L"FAV2", L"B,C:\\B");
        scratch.SetDword(kSection, L"AVAILABLE", 3);

        const LarkwaySettings settings = LoadSettings(scratch.Profile());
        const Favorites expected{{L"A", L"C:\\A"}, {L"B", L"C:\\B"}};
        EXPECT_EQ(settings.favorites, expected);

        SaveSettings(scratch.Profile(), settings);
        // "FAV2" is left over from the longer list; "AVAILABLE" keeps it unread.
        EXPECT_EQ(scratch.Values(kSection), (Values{{L"AVAILABLE", DWORD{2}},
                                                    {L"CHECK", DWORD{1}},
                                                    {L"FAV0", L"A,C:\\A"},
                                                    {L"FAV1", L"B,C:\\B"},
                                                    {L"FAV2", L"B,C:\\B"},
                                                    {L"FAVS", DWORD{6}}}));
        EXPECT_EQ(LoadSettings(scratch.Profile()).favorites, expected);
    }
}

TEST(Store, EntriesBeyondTheTenthAreLoadedAndSavedUnderTheirNames)
{
    EXPECT_EQ(FavoriteEntryName(0), L"FAV0");
    EXPECT_EQ(FavoriteEntryName(9), L"FAV9");
    EXPECT_EQ(FavoriteEntryName(10), L"FAV:");
    EXPECT_EQ(FavoriteEntryName(11), L"FAV;");
    EXPECT_EQ(FavoriteEntryName(kMaxFavoriteEntries - 1), L"FAVR");

    ScratchProfile scratch;
    const Favorites twelve = NumberedFavorites(12);
    StoreEntries(scratch, twelve, 12);
    ASSERT_EQ(std::get<std::wstring>(scratch.Values(kSection).at(L"FAV;")), L"Name 11,C:\\Folder 11");

    LarkwaySettings settings = LoadSettings(scratch.Profile());
    EXPECT_EQ(settings.favorites, twelve);

    ScratchProfile other;
    SaveSettings(other.Profile(), settings);
    Values expected = scratch.Values(kSection);
    expected[L"CHECK"] = DWORD{1};
    expected[L"FAVS"] = DWORD{6};
    EXPECT_EQ(other.Values(kSection), expected);
}

// --- Commas --------------------------------------------------------------------

TEST(Commas, AnEntryIsSplitBeforeTheAbsolutePathAfterAComma)
{
    struct Case {
        const wchar_t* text;
        Favorite expected;
    };
    const Case cases[] = {
        {L"Windows Directory,C:\\windows", {L"Windows Directory", L"C:\\windows"}},
        {L"My, documents,C:\\Data", {L"My, documents", L"C:\\Data"}},
        {L"Data,C:\\a,b", {L"Data", L"C:\\a,b"}},
        {L"One, two,C:\\x,y,D:\\z", {L"One, two", L"C:\\x,y,D:\\z"}},
        {L"Share, net,\\\\server\\share,1", {L"Share, net", L"\\\\server\\share,1"}},
        {L"lower,c:\\low", {L"lower", L"c:\\low"}},
        {L",C:\\unnamed", {L"", L"C:\\unnamed"}},
        {L"C:\\no name", {L"", L"C:\\no name"}},
        // Without an absolute path after any comma: the first comma.
        {L"rel,a,b", {L"rel", L"a,b"}},
        {L"not a drive,1:\\x,2", {L"not a drive", L"1:\\x,2"}},
        {L"half a root,C:x", {L"half a root", L"C:x"}},
        {L"name only,", {L"name only", L""}},
        {L"", {L"", L""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitFavorite(c.text), c.expected) << testing::PrintToString(c.text);
}

TEST(Commas, NamesAndTargetsWithCommasSurviveTheRegistry)
{
    ScratchProfile scratch;
    LarkwaySettings settings;
    settings.favorites = {{L"Photos, 2024", L"D:\\Photos"},
                          {L"Music", L"D:\\Music, old"},
                          {L"A, B", L"\\\\server\\C, D"},
                          {L",", L"E:\\,"}};
    SaveSettings(scratch.Profile(), settings);

    // The stored format stays "name,target".
    const Values values = scratch.Values(kSection);
    EXPECT_EQ(values.at(L"FAV0"), ScratchProfile::Value(L"Photos, 2024,D:\\Photos"));
    EXPECT_EQ(values.at(L"FAV1"), ScratchProfile::Value(L"Music,D:\\Music, old"));
    EXPECT_EQ(values.at(L"FAV2"), ScratchProfile::Value(L"A, B,\\\\server\\C, D"));
    EXPECT_EQ(values.at(L"FAV3"), ScratchProfile::Value(L",,E:\\,"));
    EXPECT_EQ(LoadSettings(scratch.Profile()).favorites, settings.favorites);
}

// --- Values anyone may have edited ------------------------------------------------

TEST(HostileValues, AnAbsurdAvailableReadsABoundedNumberOfEntries)
{
    EXPECT_EQ(kMaxFavoriteEntries, 35);
    ScratchProfile scratch;
    // One more than are read: entry 35, "FAVS", which is the setting as well.
    const Favorites stored = NumberedFavorites(kMaxFavoriteEntries + 1);
    StoreEntries(scratch, stored, 2000000000);
    EXPECT_EQ(LoadSettings(scratch.Profile()).favorites,
              Favorites(stored.begin(), stored.begin() + kMaxFavoriteEntries));

    scratch.SetDword(kSection, L"AVAILABLE", static_cast<DWORD>(-1));
    EXPECT_TRUE(LoadSettings(scratch.Profile()).favorites.empty());
    scratch.SetDword(kSection, L"AVAILABLE", static_cast<DWORD>(INT_MIN));
    EXPECT_TRUE(LoadSettings(scratch.Profile()).favorites.empty());
}

TEST(HostileValues, NumbersOutOfRangeAreBroughtWithinIt)
{
    struct Case {
        int favs, check, maxFavorites, sizeFolders;
    };
    const Case cases[] = {
        {-5, 7, 0, 1}, {99, -1, 10, 1}, {11, 0, 10, 0}, {INT_MIN, INT_MAX, 0, 1},
        {INT_MAX, 2, 10, 1}, {0, 1, 0, 1}, {10, 0, 10, 0}, {4, 1, 4, 1},
    };
    ScratchProfile scratch;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "FAVS " << c.favs << ", CHECK " << c.check);
        scratch.SetDword(kSection, L"FAVS", static_cast<DWORD>(c.favs));
        scratch.SetDword(kSection, L"CHECK", static_cast<DWORD>(c.check));
        const LarkwaySettings settings = LoadSettings(scratch.Profile());
        EXPECT_EQ(settings.maxFavorites, c.maxFavorites);
        EXPECT_EQ(settings.sizeFolders, c.sizeFolders);

        // Saving bounds them too, whatever the caller hands over.
        LarkwaySettings absurd;
        absurd.maxFavorites = c.favs;
        absurd.sizeFolders = c.check;
        SaveSettings(scratch.Profile(), absurd);
        EXPECT_EQ(scratch.Values(kSection), (Values{{L"AVAILABLE", DWORD{0}},
                                                    {L"CHECK", static_cast<DWORD>(c.sizeFolders)},
                                                    {L"FAVS", static_cast<DWORD>(c.maxFavorites)}}));
    }
}

TEST(HostileValues, ValuesOfTheWrongTypeReadAsTheirDefaults)
{
    ScratchProfile scratch;
    scratch.SetString(kSection, L"FAVS", L"8");
    scratch.SetString(kSection, L"CHECK", L"0");
    scratch.SetString(kSection, L"AVAILABLE", L"1");
    scratch.SetString(kSection, L"FAV0", L"A,C:\\A");
    LarkwaySettings settings = LoadSettings(scratch.Profile());
    EXPECT_EQ(settings.maxFavorites, 6);
    EXPECT_EQ(settings.sizeFolders, 1);
    EXPECT_TRUE(settings.favorites.empty());

    // Entries that are not texts count as empty: skipped, the rest load.
    const BYTE bytes[] = {'A', 0, ',', 0, 'C', 0, ':', 0, '\\', 0};
    scratch.SetDword(kSection, L"FAV0", 12345);
    scratch.Set(kSection, L"FAV1", REG_BINARY, bytes, sizeof(bytes));
    scratch.Set(kSection, L"FAV2", REG_MULTI_SZ, L"X,C:\\X\0", 8 * sizeof(wchar_t));
    scratch.SetString(kSection, L"FAV3", L"B,C:\\B");
    scratch.SetDword(kSection, L"AVAILABLE", 4);
    EXPECT_EQ(LoadSettings(scratch.Profile()).favorites, (Favorites{{L"B", L"C:\\B"}}));
}

TEST(HostileValues, SavingWritesNoMoreEntriesThanLoadingReads)
{
    ScratchProfile scratch;
    LarkwaySettings settings;
    settings.favorites = NumberedFavorites(100);
    SaveSettings(scratch.Profile(), settings);

    const Values values = scratch.Values(kSection);
    EXPECT_EQ(values.size(), static_cast<size_t>(kMaxFavoriteEntries) + 3);
    EXPECT_EQ(values.at(L"AVAILABLE"), ScratchProfile::Value(DWORD{35}));
    EXPECT_EQ(values.at(L"FAVR"), ScratchProfile::Value(L"Name 34,C:\\Folder 34"));
    // Not overwritten by a 36th entry.
    EXPECT_EQ(values.at(L"FAVS"), ScratchProfile::Value(DWORD{6}));
    EXPECT_EQ(LoadSettings(scratch.Profile()).favorites, NumberedFavorites(kMaxFavoriteEntries));
}

} // namespace larkway
