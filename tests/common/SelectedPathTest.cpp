#include "common/SelectedPath.h"
#include "framework/LongPath.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

TEST(SelectedPath, TakesTheFullFormOfAPathAndRefusesWhatNamesNoFile)
{
    const std::wstring tail(32000, L'n');
    const Pairs cases = {
        {L"C:\\..\\..\\windows\\win.ini", L"C:\\windows\\win.ini"},
        {L"C:/windows/./system32/../win.ini", L"C:\\windows\\win.ini"},
        {L"\\\\?\\C:\\windows\\win.ini", L"C:\\windows\\win.ini"},
        {L"\\\\server\\share\\dir\\..\\f.txt", L"\\\\server\\share\\f.txt"},
        {L"\\\\?\\UNC\\server\\share\\f.txt", L"\\\\server\\share\\f.txt"},
        {L"C:\\dir\\..\\" + tail, L"C:\\" + tail}, // up to the platform's limit
    };
    for (const auto& [given, full] : cases)
        EXPECT_EQ(NormalizeSelectedPath(given), full) << testing::PrintToString(given.substr(0, 50));
    for (const wchar_t* path : {L"", L"NUL", L"COM1", L"\\\\.\\CON", L"C:\\windows\\NUL", L"C:\\windows\\win*.ini",
                                     L"C:\\windows\\win?.ini", L"C:\\a<b", L"C:\\a|b", L"relative\\file.txt",
                                     L"C:drive-relative", L"\\\\server", L"\\\\server\\", L"\\rooted-without-drive"})
        EXPECT_FALSE(NormalizeSelectedPath(path).has_value()) << testing::PrintToString(path);
    EXPECT_FALSE(NormalizeSelectedPath(L"C:\\" + std::wstring(40000, L'n')).has_value());
    // The extended form takes names literally: it is built from the full path.
    EXPECT_EQ(fx::ExtendedLengthPath(L"\\\\server\\share\\x\\..\\" + tail), L"\\\\?\\UNC\\server\\share\\" + tail);
}

// The platform's form trims a name's trailing dots and spaces, so it would
// name another item: such a path keeps its names, in the extended form. A
// typed destination is read as the platform reads it.
TEST(SelectedPath, ANameEndingInADotOrASpaceKeepsNamingThatItem)
{
    const struct {
        const wchar_t* given;
        const wchar_t* selected;
        const wchar_t* typed;
    } cases[] = {
        {L"C:\\x\\report.", L"\\\\?\\C:\\x\\report.", L"C:\\x\\report"},
        {L"C:/x/./dest ", L"\\\\?\\C:\\x\\dest ", L"C:\\x\\dest"},
        {L"\\\\?\\C:\\x\\dir.\\f.txt", L"\\\\?\\C:\\x\\dir.\\f.txt", nullptr},
        {L"\\\\server\\share\\a..\\..\\b.", L"\\\\?\\UNC\\server\\share\\b.", L"\\\\server\\share\\b"},
        {L"C:\\x\\odd.\\..\\plain", L"C:\\x\\plain", L"C:\\x\\plain"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormalizeSelectedPath(c.given), c.selected) << testing::PrintToString(std::wstring(c.given));
        // How the platform trims a folder's name inside a path differs
        // between systems; the last name it always trims.
        if (c.typed) {
            EXPECT_EQ(NormalizeTypedPath(c.given), c.typed) << testing::PrintToString(std::wstring(c.given));
        }
        EXPECT_EQ(PathRoot(c.selected), PathRoot(c.given));
    }
}

TEST(SelectedPath, TheRootTheNameAndTheStemOfAPath)
{
    const Pairs roots = {{L"C:\\windows\\win.ini", L"C:\\"},
                         {L"d:\\", L"d:\\"}, // as given
                         {L"\\\\server\\share\\f.txt", L"\\\\server\\share\\"},
                         {L"\\\\server\\share", L"\\\\server\\share\\"},
                         {L"//server/share/f.txt", L"\\\\server\\share\\"},
                         {L"\\\\?\\C:\\x.", L"C:\\"},
                         {L"", L""}, {L"C:", L""}, {L"relative", L""}, {L"\\\\server", L""}, {L"\\\\.\\CON", L""}};
    for (const auto& [path, root] : roots)
        EXPECT_EQ(PathRoot(path), root) << testing::PrintToString(path);
    const Pairs names = {{L"C:\\docs\\report.txt", L"report.txt"}, {L"C:\\docs\\sub\\", L"sub"}, {L"C:/docs/sub", L"sub"},
                         {L"C:\\", L"C:"}, {L"\\\\server\\share\\", L"share"}, {L"\\\\?\\C:\\x\\report.", L"report."},
                         {L"plain", L"plain"}};
    for (const auto& [path, name] : names)
        EXPECT_EQ(ItemName(path), name) << testing::PrintToString(path);
    const Pairs stems = {{L"notes.txt", L"notes"}, {L"a.b.c", L"a.b"}, {L"notes", L"notes"}, {L".profile", L".profile"}, {L"", L""}};
    for (const auto& [name, stem] : stems)
        EXPECT_EQ(WithoutExtension(name), stem) << testing::PrintToString(name);
}

} // namespace
