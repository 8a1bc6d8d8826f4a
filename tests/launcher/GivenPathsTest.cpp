// The launcher's reading of its command line and of each given path.
#include "launcher/GivenPaths.h"

#include "framework/LongPath.h"
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
}

TEST(SplitCommandLine, ALineOfAnyLengthIsSplitWhole)
{
    std::wstring line = L"launch.exe";
    Arguments expected{L"launch.exe"};
    for (int i = 0; i < 5000; ++i) {
        expected.push_back(L"C:\\folder " + std::to_wstring(i) + L"\\file.txt");
        line += L" \"" + expected.back() + L"\"";
    }
    expected.push_back(L"C:\\" + std::wstring(40000, L'n'));
    line += L" " + expected.back();
    EXPECT_GT(line.size(), 100000u);
    EXPECT_EQ(SplitCommandLine(line), expected);
}

TEST(ReadGivenPath, AFullPathIsHandedOverInItsFullForm)
{
    EXPECT_EQ(ReadGivenPath(L"C:\\windows\\..\\users\\.\\file.txt").text, L"C:\\users\\file.txt");
    EXPECT_EQ(ReadGivenPath(L"C:/windows/system32").text, L"C:\\windows\\system32");
    EXPECT_EQ(ReadGivenPath(L"C:\\").text, L"C:\\");
    EXPECT_EQ(ReadGivenPath(L"\\\\?\\C:\\long\\path.txt").text, L"C:\\long\\path.txt");
    EXPECT_EQ(ReadGivenPath(L"\\\\server\\share\\file.txt").text, L"\\\\server\\share\\file.txt");
    EXPECT_EQ(ReadGivenPath(L"\\\\?\\UNC\\server\\share\\file.txt").text, L"\\\\server\\share\\file.txt");
    EXPECT_EQ(ReadGivenPath(L"C:\\Ünïcødé\\日本語 файл.txt").refusal, Refusal::None);
}

TEST(ReadGivenPath, ARelativePathIsTakenFromTheCurrentFolder)
{
    testing_support::TempDir temp;
    wchar_t before[MAX_PATH] = L"";
    ::GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(::SetCurrentDirectoryW(temp.Path().c_str()));
    const GivenPath relative = ReadGivenPath(L"sub\\file.txt");
    const GivenPath slashed = ReadGivenPath(L"./sub/../sub/file.txt");
    const GivenPath rooted = ReadGivenPath(L"\\windows");
    ::SetCurrentDirectoryW(before);
    const std::wstring expected = temp.Path().wstring() + L"\\sub\\file.txt";
    EXPECT_EQ(relative.text, expected);
    EXPECT_EQ(relative.refusal, Refusal::None);
    EXPECT_EQ(slashed.text, expected);
    EXPECT_EQ(rooted.text, temp.Path().wstring().substr(0, 2) + L"\\windows");
}

TEST(ReadGivenPath, WhatNamesNoFileIsRefusedWithItsReason)
{
    EXPECT_EQ(ReadGivenPath(L"").refusal, Refusal::Empty);
    EXPECT_EQ(ReadGivenPath(L"C:\\" + std::wstring(kLongestPath, L'n')).refusal, Refusal::TooLong);
    EXPECT_EQ(ReadGivenPath(std::wstring(40000, L'n')).refusal, Refusal::TooLong);
    EXPECT_EQ(ReadGivenPath(L"*.txt").refusal, Refusal::Wildcard);
    EXPECT_EQ(ReadGivenPath(L"C:\\dir\\file?.txt").refusal, Refusal::Wildcard);
    EXPECT_EQ(ReadGivenPath(L"\\\\?\\C:\\dir\\*").refusal, Refusal::Wildcard);
    EXPECT_EQ(ReadGivenPath(L"NUL").refusal, Refusal::Device);
    EXPECT_EQ(ReadGivenPath(L"COM1").refusal, Refusal::Device);
    EXPECT_EQ(ReadGivenPath(L"\\\\.\\PhysicalDrive0").refusal, Refusal::Device);
    EXPECT_EQ(ReadGivenPath(L"//./C:").refusal, Refusal::Device);
    EXPECT_EQ(ReadGivenPath(L"\\\\?\\GLOBALROOT\\Device\\HarddiskVolume1").refusal, Refusal::Device);
    EXPECT_EQ(ReadGivenPath(L"C:\\a<b>.txt").refusal, Refusal::NotAPath);
    EXPECT_EQ(ReadGivenPath(L"C:\\a|b").refusal, Refusal::NotAPath);
    // A refused path is told as it was given.
    EXPECT_EQ(ReadGivenPath(L"*.txt").text, L"*.txt");
}

TEST(ReadGivenPath, EveryReasonHasWords)
{
    for (auto refusal : {Refusal::Empty, Refusal::TooLong, Refusal::Wildcard, Refusal::Device, Refusal::NotAPath})
        EXPECT_FALSE(DescribeRefusal(refusal).empty());
    EXPECT_NE(DescribeRefusal(Refusal::Device), DescribeRefusal(Refusal::Wildcard));
}

} // namespace
