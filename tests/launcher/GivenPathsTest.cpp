// The launcher's reading of its command line and of each given path.
#include "launcher/GivenPaths.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace launcher;
using Arguments = std::vector<std::wstring>;

// Read as the C runtime reads a command line, but for the shell's "%1" of a
// drive ("C:\"), where the runtime would read an escaped quote.
TEST(SplitCommandLine, SpacesSeparateQuotesGroupAndBackslashesStay)
{
    const struct {
        const wchar_t* line;
        Arguments arguments;
    } cases[] = {
        {L"launch.exe a  b\tc", {L"launch.exe", L"a", L"b", L"c"}},
        {L"\"C:\\Program Files\\launch.exe\" \"C:\\my dir\\a file.txt\" x",
         {L"C:\\Program Files\\launch.exe", L"C:\\my dir\\a file.txt", L"x"}},
        {L"launch.exe C:\\\"my dir\"\\b", {L"launch.exe", L"C:\\my dir\\b"}},
        {L"  launch.exe   ", {L"launch.exe"}},
        {L"", {}},
        {L"launch.exe \"\" a \"\"", {L"launch.exe", L"", L"a", L""}},
        {L"launch.exe Fennix.exe \"C:\\\"", {L"launch.exe", L"Fennix.exe", L"C:\\"}},
        {L"launch.exe \"C:\\\" \"D:\\\"", {L"launch.exe", L"C:\\", L"D:\\"}},
        {L"launch.exe \"\\\\server\\share\\\"", {L"launch.exe", L"\\\\server\\share\\"}},
        // Doubled before a quote they count once, as a program quoting by the
        // C runtime's rules writes "C:\my dir\"; elsewhere all are kept.
        {L"launch.exe \"C:\\my dir\\\\\"", {L"launch.exe", L"C:\\my dir\\"}},
        {L"launch.exe \\\\server\\share\\a\\\\b", {L"launch.exe", L"\\\\server\\share\\a\\\\b"}},
    };
    for (const auto& test : cases)
        EXPECT_EQ(SplitCommandLine(test.line), test.arguments) << test.line;

    // A line of any length is split whole.
    std::wstring line = L"launch.exe";
    Arguments expected{L"launch.exe"};
    for (int i = 0; i < 5000; ++i) {
        expected.push_back(L"C:\\folder " + std::to_wstring(i) + L"\\file.txt");
        line += L" \"" + expected.back() + L"\"";
    }
    expected.push_back(L"C:\\" + std::wstring(40000, L'n'));
    line += L" " + expected.back();
    EXPECT_EQ(SplitCommandLine(line), expected);
}

TEST(ReadGivenPath, APathIsHandedOverInItsFullFormARelativeOneFromTheCurrentFolder)
{
    testing_support::TempDir temp;
    const std::wstring current = temp.Path().wstring();
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"C:\\windows\\..\\users\\.\\file.txt", L"C:\\users\\file.txt"},
        {L"C:/windows/system32", L"C:\\windows\\system32"},
        {L"C:\\", L"C:\\"},
        {L"\\\\?\\C:\\long\\path.txt", L"C:\\long\\path.txt"},
        {L"\\\\server\\share\\file.txt", L"\\\\server\\share\\file.txt"},
        {L"\\\\?\\UNC\\server\\share\\file.txt", L"\\\\server\\share\\file.txt"},
        {L"C:\\Ünïcødé\\日本語 файл.txt", L"C:\\Ünïcødé\\日本語 файл.txt"},
        {L"sub\\file.txt", current + L"\\sub\\file.txt"},
        {L"./sub/../sub/file.txt", current + L"\\sub\\file.txt"},
        {L"\\windows", current.substr(0, 2) + L"\\windows"},
    };
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(temp.Path());
    for (const auto& [given, full] : cases) {
        const GivenPath read = ReadGivenPath(given);
        EXPECT_EQ(read.text, full) << testing::PrintToString(given);
        EXPECT_EQ(read.refusal, Refusal::None) << testing::PrintToString(given);
    }
    std::filesystem::current_path(before);
}

TEST(ReadGivenPath, WhatNamesNoFileIsRefusedWithItsReasonInWords)
{
    const std::pair<std::wstring, Refusal> cases[] = {
        {L"", Refusal::Empty},
        {L"C:\\" + std::wstring(kLongestPath, L'n'), Refusal::TooLong},
        {std::wstring(40000, L'n'), Refusal::TooLong},
        {L"*.txt", Refusal::Wildcard},
        {L"C:\\dir\\file?.txt", Refusal::Wildcard},
        {L"\\\\?\\C:\\dir\\*", Refusal::Wildcard},
        {L"NUL", Refusal::Device},
        {L"COM1", Refusal::Device},
        {L"\\\\.\\PhysicalDrive0", Refusal::Device},
        {L"//./C:", Refusal::Device},
        {L"\\\\?\\GLOBALROOT\\Device\\HarddiskVolume1", Refusal::Device},
        {L"C:\\a<b>.txt", Refusal::NotAPath},
        {L"C:\\a|b", Refusal::NotAPath},
    };
    for (const auto& [given, refusal] : cases) {
        const GivenPath read = ReadGivenPath(given);
        EXPECT_EQ(read.refusal, refusal) << testing::PrintToString(given.substr(0, 50));
        EXPECT_EQ(read.text, given); // told as it was given
        EXPECT_FALSE(DescribeRefusal(refusal).empty());
    }
    EXPECT_NE(DescribeRefusal(Refusal::Device), DescribeRefusal(Refusal::Wildcard));
}

} // namespace
