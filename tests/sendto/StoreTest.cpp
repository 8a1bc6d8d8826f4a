// Settings and favourites in the registry: as saved, as seeded, as anyone may have edited them.
#include "sendto/FavoritesStore.h"
#include "tests/support/ScratchProfile.h"

#include <gtest/gtest.h>

#include <climits>

namespace larkway {

using testing_support::ScratchProfile;
using Values = std::map<std::wstring, ScratchProfile::Value>;
using Favorites = std::vector<Favorite>;

namespace {
const wchar_t kSection[] = L"Favorites";

// Favourites with names that show their order: "Name 0" -> "C:\Folder 0"...
Favorites NumberedFavorites(int count)
{
    Favorites favorites;
    for (int i = 0; i < count; ++i)
        favorites.push_back({L"Name " + std::to_wstring(i), L"C:\\Folder " + std::to_wstring(i)});
    return favorites;
}
} // namespace

// An empty profile is seeded, as is one whose "AVAILABLE" is 0, over what is left; stored
// favourites are left alone. Saved as "name,target", commas and all, renumbered past one
// without a target, which is skipped on load too (empty, without a target, missing).
TEST(Store, AvailableZeroIsSeededAndFavouritesComeBackAsSavedButOneWithoutATarget)
{
    wchar_t windows[MAX_PATH] = L"";
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    ScratchProfile scratch;
    scratch.SetString(kSection, L"FAV0", L"Old,C:\\Old");
    scratch.SetString(kSection, L"FAV1", L"Other,D:\\Other");
    scratch.SetDword(kSection, L"AVAILABLE", 0);
    SeedFavorites(scratch.Profile());
    EXPECT_EQ(scratch.Values(kSection), (Values{{L"AVAILABLE", DWORD{1}}, {L"FAV1", L"Other,D:\\Other"},
                                                {L"FAV0", L"Windows Directory," + std::wstring(windows)}}));
    scratch.SetString(kSection, L"FAV0", L"Mine,C:\\Mine");
    SeedFavorites(scratch.Profile());
    EXPECT_EQ(scratch.Values(kSection).at(L"FAV0"), ScratchProfile::Value(L"Mine,C:\\Mine"));
    LarkwaySettings settings;
    settings.maxFavorites = 8;
    settings.sizeFolders = 0;
    settings.favorites = {{L"Photos, 2024", L"D:\\Photos"}, {L"Nowhere", L""},   {L"Music", L"D:\\Music, old"},
                          {L"", L"\\\\server\\C, D"},       {L",", L"E:\\,"},    {L"Rel", L"relative"}};
    SaveSettings(scratch.Profile(), settings);
    settings.favorites.erase(settings.favorites.begin() + 1);
    EXPECT_EQ(scratch.Values(kSection),
              (Values{{L"AVAILABLE", DWORD{5}}, {L"CHECK", DWORD{0}}, {L"FAV0", L"Photos, 2024,D:\\Photos"},
                      {L"FAV1", L"Music,D:\\Music, old"}, {L"FAV2", L",\\\\server\\C, D"}, {L"FAV3", L",,E:\\,"},
                      {L"FAV4", L"Rel,relative"}, {L"FAVS", DWORD{8}}}));
    const LarkwaySettings loaded = LoadSettings(scratch.Profile());
    EXPECT_EQ(loaded.maxFavorites, 8);
    EXPECT_EQ(loaded.sizeFolders, 0);
    EXPECT_EQ(loaded.favorites, settings.favorites);
    ScratchProfile entries; // FAV3 missing
    for (const auto& [name, entry] : {std::pair{L"FAV0", L"A,C:\\A"}, {L"FAV1", L""}, {L"FAV2", L"Name only,"},
                                      {L"FAV4", L"B,C:\\B"}})
        entries.SetString(kSection, name, entry);
    entries.SetDword(kSection, L"AVAILABLE", 5);
    EXPECT_EQ(LoadSettings(entries.Profile()).favorites, (Favorites{{L"A", L"C:\\A"}, {L"B", L"C:\\B"}}));
}

TEST(Store, AnEntryIsSplitBeforeTheAbsolutePathAfterAComma)
{
    const std::pair<const wchar_t*, Favorite> cases[] = {
        {L"Windows Directory,C:\\windows", {L"Windows Directory", L"C:\\windows"}},
        {L"My, documents,C:\\Data", {L"My, documents", L"C:\\Data"}}, {L"Data,C:\\a,b", {L"Data", L"C:\\a,b"}},
        {L"One, two,C:\\x,y,D:\\z", {L"One, two", L"C:\\x,y,D:\\z"}}, {L"", {L"", L""}},
        {L"lower,c:\\low", {L"lower", L"c:\\low"}}, {L"name only,", {L"name only", L""}},
        {L"Share, net,\\\\server\\share,1", {L"Share, net", L"\\\\server\\share,1"}},
        {L",C:\\unnamed", {L"", L"C:\\unnamed"}}, {L"C:\\no name", {L"", L"C:\\no name"}},
        // Without an absolute path after any comma: the first comma.
        {L"rel,a,b", {L"rel", L"a,b"}}, {L"not a drive,1:\\x,2", {L"not a drive", L"1:\\x,2"}},
        {L"half a root,C:x", {L"half a root", L"C:x"}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(SplitFavorite(text), expected) << testing::PrintToString(text);
}

// Entries past the tenth are named by the characters after '9' ("FAV:"...); the 36th would
// be "FAVS", the setting: neither saving nor loading goes that far, whatever "AVAILABLE" says.
// Numbers out of range are brought within it; values of the wrong type read as defaults.
TEST(HostileValues, NoMoreEntriesThanFitBeforeTheSettingAndNumbersOutOfRangeOrOfTheWrongType)
{
    ScratchProfile scratch;
    LarkwaySettings settings;
    settings.favorites = NumberedFavorites(100);
    SaveSettings(scratch.Profile(), settings);
    const Values values = scratch.Values(kSection);
    EXPECT_EQ(values.size(), 35u + 3);
    EXPECT_EQ(values.at(L"AVAILABLE"), ScratchProfile::Value(DWORD{35}));
    EXPECT_EQ(values.at(L"FAV:"), ScratchProfile::Value(L"Name 10,C:\\Folder 10"));
    EXPECT_EQ(values.at(L"FAVR"), ScratchProfile::Value(L"Name 34,C:\\Folder 34"));
    EXPECT_EQ(values.at(L"FAVS"), ScratchProfile::Value(DWORD{6}));
    EXPECT_EQ(LoadSettings(scratch.Profile()).favorites, NumberedFavorites(35));
    scratch.SetString(kSection, L"FAVS", L"Name 35,C:\\Folder 35"); // as a 36th entry would be
    const std::pair<DWORD, int> availables[] = {
        {36, 35}, {2000000000, 35}, {static_cast<DWORD>(-1), 0}, {static_cast<DWORD>(INT_MIN), 0}};
    for (const auto& [available, loaded] : availables) {
        scratch.SetDword(kSection, L"AVAILABLE", available);
        EXPECT_EQ(LoadSettings(scratch.Profile()).favorites, NumberedFavorites(loaded)) << available;
    }
    ScratchProfile numbers; // a profile of its own
    const struct { int favs, check, maxFavorites, sizeFolders; } cases[] = {
        {-5, 7, 0, 1},       {99, -1, 10, 1}, {11, 0, 10, 0}, {INT_MIN, INT_MAX, 0, 1},
        {INT_MAX, 2, 10, 1}, {0, 1, 0, 1},    {10, 0, 10, 0}, {4, 1, 4, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "FAVS " << c.favs << ", CHECK " << c.check);
        numbers.SetDword(kSection, L"FAVS", static_cast<DWORD>(c.favs));
        numbers.SetDword(kSection, L"CHECK", static_cast<DWORD>(c.check));
        const LarkwaySettings read = LoadSettings(numbers.Profile());
        EXPECT_EQ(read.maxFavorites, c.maxFavorites);
        EXPECT_EQ(read.sizeFolders, c.sizeFolders);
        LarkwaySettings absurd;
        absurd.maxFavorites = c.favs;
        absurd.sizeFolders = c.check;
        SaveSettings(numbers.Profile(), absurd);
        EXPECT_EQ(numbers.Values(kSection), (Values{{L"AVAILABLE", DWORD{0}},
                                                    {L"CHECK", static_cast<DWORD>(c.sizeFolders)},
                                                    {L"FAVS", static_cast<DWORD>(c.maxFavorites)}}));
    }
    // Values of the wrong type read as their defaults; entries that are not texts are skipped.
    numbers.SetString(kSection, L"FAVS", L"8");
    numbers.SetString(kSection, L"CHECK", L"0");
    numbers.SetString(kSection, L"AVAILABLE", L"1");
    numbers.SetString(kSection, L"FAV0", L"A,C:\\A");
    const LarkwaySettings defaults = LoadSettings(numbers.Profile());
    EXPECT_EQ(defaults.maxFavorites, 6);
    EXPECT_EQ(defaults.sizeFolders, 1);
    EXPECT_TRUE(defaults.favorites.empty());
    const BYTE bytes[] = {'A', 0, ',', 0, 'C', 0, ':', 0, '\\', 0};
    numbers.SetDword(kSection, L"FAV0", 12345);
    numbers.Set(kSection, L"FAV1", REG_BINARY, bytes, sizeof(bytes));
    numbers.Set(kSection, L"FAV2", REG_MULTI_SZ, L"X,C:\\X\0", 8 * sizeof(wchar_t));
    numbers.SetString(kSection, L"FAV3", L"B,C:\\B");
    numbers.SetDword(kSection, L"AVAILABLE", 4);
    EXPECT_EQ(LoadSettings(numbers.Profile()).favorites, (Favorites{{L"B", L"C:\\B"}}));
}

} // namespace larkway
