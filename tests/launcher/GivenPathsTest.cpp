#include "launcher/GivenPaths.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace launcher;
using Arguments = std::vector<std::wstring>;

// As the C runtime reads a command line, but for the shell's "%1" of a drive ("C:\"): no escaped quote.
TEST(SplitCommandLine, SpacesSeparateQuotesGroupAndBackslashesStay)
{
    const std::pair<const wchar_t*, Arguments> cases[] = {
        {L"launch.exe a  b\tc", {L"launch.exe", L"a", L"b", L"c"}}, {L"  launch.exe   ", {L"launch.exe"}},
        {L"\"C:\\Program Files\\launch.exe\" \"C:\\my dir\\a file.txt\" x",
         {L"C:\\Program Files\\launch.exe", L"C:\\my dir\\a file.txt", L"x"}},
        {L"launch.exe C:\\\"my dir\"\\b", {L"launch.exe", L"C:\\my dir\\b"}}, {L"", {}},
        {L"launch.exe \"\" a \"\"", {L"launch.exe", L"", L"a", L""}},
        {L"launch.exe Fennix.exe \"C:\\\"", {L"launch.exe", L"Fennix.exe", L"C:\\"}},
        {L"launch.exe \"C:\\\" \"D:\\\"", {L"launch.exe", L"C:\\", L"D:\\"}},
        {L"launch.exe \"\\\\server\\share\\\"", {L"launch.exe", L"\\\\server\\share\\"}},
        // Doubled before a quote they count once, as the C runtime's quoting writes "C:\my dir\"; else all stay.
        {L"launch.exe \"C:\\my dir\\\\\"", {L"launch.exe", L"C:\\my dir\\"}},
        {L"launch.exe \\\\server\\share\\a\\\\b", {L"launch.exe", L"\\\\server\\share\\a\\\\b"}},
    };
    for (const auto& [line, arguments] : cases)
        EXPECT_EQ(SplitCommandLine(line), arguments) << line;
    // A line of any length is split whole.
    Arguments expected(5001, L"C:\\my folder\\file.txt");
    expected[0] = L"launch.exe";
    expected.push_back(L"C:\\" + std::wstring(40000, L'n'));
    std::wstring line = L"launch.exe";
    for (size_t i = 1; i < expected.size(); ++i)
        line += L" \"" + expected[i] + L"\"";
    EXPECT_EQ(SplitCommandLine(line), expected);
}

// A path is read in its full form, a relative one from the current folder; one naming no file is refused.
TEST(ReadGivenPath, FullFormOrRefusal)
{
    testing_support::TempDir temp;
    const std::wstring current = temp.Path().wstring();
    const std::tuple<std::wstring, std::wstring, Refusal> cases[] = {
        {L"C:\\windows\\..\\users\\.\\file.txt", L"C:\\users\\file.txt", Refusal::None},
        {L"C:/windows/system32", L"C:\\windows\\system32", Refusal::None},
        {L"C:\\", L"C:\\", Refusal::None},
        {L"\\\\?\\C:\\long\\path.txt", L"C:\\long\\path.txt", Refusal::None},
        {L"\\\\?\\UNC\\server\\share\\file.txt", L"\\\\server\\share\\file.txt", Refusal::None},
        {L"\\\\server\\share\\file.txt", L"\\\\server\\share\\file.txt", Refusal::None},
        {L"C:\\Ünïcødé\\日本語 файл.txt", L"C:\\Ünïcødé\\日本語 файл.txt", Refusal::None},
        {L"./sub/../sub/file.txt", current + L"\\sub\\file.txt", Refusal::None},
        {L"\\windows", current.substr(0, 2) + L"\\windows", Refusal::None},
        {L"", L"", Refusal::Empty}, {L"C:\\" + std::wstring(kLongestPath - 2, L'n'), L"", Refusal::TooLong},
        {L"C:\\" + std::wstring(kLongestPath - 3, L'n'), L"C:\\" + std::wstring(kLongestPath - 3, L'n'), Refusal::None},
        {std::wstring(40000, L'n'), L"", Refusal::TooLong}, {L"C:\\dir\\file?.txt", L"", Refusal::Wildcard},
        {L"\\\\?\\C:\\dir\\*", L"", Refusal::Wildcard}, {L"COM1", L"", Refusal::Device},
        {L"//./C:", L"", Refusal::Device}, {L"\\\\.\\PhysicalDrive0", L"", Refusal::Device},
        {L"\\\\?\\GLOBALROOT\\Device\\HarddiskVolume1", L"", Refusal::Device},
        {L"C:\\a<b>.txt", L"", Refusal::NotAPath}, {L"C:\\a|b", L"", Refusal::NotAPath},
    };
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(temp.Path());
    for (const auto& [given, full, refusal] : cases) {
        SCOPED_TRACE(testing::PrintToString(given.substr(0, 50)));
        const GivenPath read = ReadGivenPath(given);
        EXPECT_EQ(read.text, refusal == Refusal::None ? full : given); // a refused one is told as given
        EXPECT_EQ(read.refusal, refusal);
    }
    std::filesystem::current_path(before);
    for (Refusal told : {Refusal::Empty, Refusal::TooLong, Refusal::Wildcard, Refusal::Device, Refusal::NotAPath})
        EXPECT_FALSE(DescribeRefusal(told).empty());
    EXPECT_NE(DescribeRefusal(Refusal::Device), DescribeRefusal(Refusal::Wildcard));
}

} // namespace
