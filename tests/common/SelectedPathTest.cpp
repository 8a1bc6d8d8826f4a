#include "common/SelectedPath.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

TEST(SelectedPath, TakesTheFullFormRootNameAndStemOfAPathKeepsNamesEndingInADotOrASpaceAndRefusesNoFile)
{
    const std::wstring tail(32000, L'n'); // up to the platform's limit
    // The platform's form trims a name's trailing dots and spaces, so it would name another item: such a path
    // keeps its names, in the extended form. A typed destination is read as the platform reads it (none given
    // where systems trim a folder's name differently, or where it is the selected form).
    const struct { std::wstring given, selected; const wchar_t* typed; } cases[] = {
        {L"C:\\..\\..\\windows\\win.ini", L"C:\\windows\\win.ini", nullptr},
        {L"C:\\dir\\..\\" + tail, L"C:\\" + tail, nullptr},
        {L"C:/windows/./system32/../win.ini", L"C:\\windows\\win.ini", nullptr},
        {L"\\\\?\\C:\\windows\\win.ini", L"C:\\windows\\win.ini", nullptr},
        {L"\\\\server\\share\\dir\\..\\f.txt", L"\\\\server\\share\\f.txt", nullptr},
        {L"\\\\?\\UNC\\server\\share\\f.txt", L"\\\\server\\share\\f.txt", nullptr},
        {L"C:\\x\\report.", L"\\\\?\\C:\\x\\report.", L"C:\\x\\report"},
        {L"C:/x/./dest ", L"\\\\?\\C:\\x\\dest ", L"C:\\x\\dest"},
        {L"\\\\?\\C:\\x\\dir.\\f.txt", L"\\\\?\\C:\\x\\dir.\\f.txt", nullptr},
        {L"\\\\server\\share\\a..\\..\\b.", L"\\\\?\\UNC\\server\\share\\b.", L"\\\\server\\share\\b"},
        {L"C:\\x\\odd.\\..\\plain", L"C:\\x\\plain", L"C:\\x\\plain"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.given.substr(0, 50)));
        EXPECT_EQ(NormalizeSelectedPath(c.given), c.selected);
        if (c.typed) {
            EXPECT_EQ(NormalizeTypedPath(c.given), c.typed);
        }
        EXPECT_EQ(PathRoot(c.selected), PathRoot(c.given));
    }
    for (const wchar_t* path : {L"", L"NUL", L"COM1", L"\\\\.\\CON", L"C:\\windows\\NUL", L"C:\\windows\\win*.ini",
                                L"C:\\windows\\win?.ini", L"C:\\a<b", L"C:\\a|b", L"relative\\file.txt",
                                L"C:drive-relative", L"\\\\server", L"\\\\server\\", L"\\rooted-without-drive"})
        EXPECT_FALSE(NormalizeSelectedPath(path).has_value()) << testing::PrintToString(path);
    EXPECT_FALSE(NormalizeSelectedPath(L"C:\\" + std::wstring(40000, L'n')).has_value());
    const Pairs roots = {{L"C:\\windows\\win.ini", L"C:\\"}, {L"d:\\", L"d:\\"}, {L"\\\\?\\C:\\x.", L"C:\\"},
                         {L"\\\\server\\share\\f.txt", L"\\\\server\\share\\"}, {L"", L""}, {L"C:", L""},
                         {L"\\\\server\\share", L"\\\\server\\share\\"}, {L"relative", L""}, {L"\\\\server", L""},
                         {L"//server/share/f.txt", L"\\\\server\\share\\"}, {L"\\\\.\\CON", L""}};
    for (const auto& [path, root] : roots)
        EXPECT_EQ(PathRoot(path), root) << testing::PrintToString(path);
    const Pairs names = {{L"C:\\docs\\sub\\", L"sub"}, {L"C:/docs/sub", L"sub"}, {L"\\\\server\\share\\", L"share"},
                         {L"\\\\?\\C:\\x\\report.", L"report."}, {L"plain", L"plain"}};
    for (const auto& [path, name] : names)
        EXPECT_EQ(ItemName(path), name) << testing::PrintToString(path);
    // Fennix's file page shows the usual stems (tests/properties/FilePageTest.cpp).
    EXPECT_EQ(WithoutExtension(L".profile"), L".profile");
    EXPECT_EQ(WithoutExtension(L"notes"), L"notes");
}

} // namespace
