#include "framework/Profile.h"
#include "tests/support/ScratchProfile.h"

#include <gtest/gtest.h>

#include <string>

using testing_support::ScratchProfile;
using Values = std::map<std::wstring, ScratchProfile::Value>;

namespace {
// A text of the given length in which every position differs from its
// neighbours, so a cut or a shifted copy shows.
std::wstring LongText(size_t length)
{
    std::wstring text(length, L'\0');
    for (size_t i = 0; i < length; ++i)
        text[i] = static_cast<wchar_t>(L'a' + i % 26);
    return text;
}
} // namespace

TEST(Profile, ValuesLieUnderSoftwareCompanyApplicationSection)
{
    ScratchProfile scratch;
    fx::CProfile& profile = scratch.Profile();
    EXPECT_TRUE(profile.WriteProfileInt(L"Numbers", L"Answer", 42));
    EXPECT_TRUE(profile.WriteProfileInt(L"Numbers", L"Below zero", -5));
    EXPECT_TRUE(profile.WriteProfileString(L"Texts", L"Greeting", L"Hello, world"));
    EXPECT_TRUE(profile.WriteProfileString(L"Texts", L"Nothing", L""));

    EXPECT_EQ(scratch.Values(L"Numbers"), (Values{{L"Answer", DWORD{42}}, {L"Below zero", DWORD{0xFFFFFFFB}}}));
    EXPECT_EQ(scratch.Values(L"Texts"), (Values{{L"Greeting", L"Hello, world"}, {L"Nothing", L""}}));
    EXPECT_EQ(profile.GetProfileInt(L"Numbers", L"Answer", 0), 42);
    EXPECT_EQ(profile.GetProfileInt(L"Numbers", L"Below zero", 0), -5);
    EXPECT_EQ(profile.GetProfileString(L"Texts", L"Greeting", L"default"), L"Hello, world");
    EXPECT_EQ(profile.GetProfileString(L"Texts", L"Nothing", L"default"), L"");
}

TEST(Profile, AbsentValuesGiveTheDefault)
{
    ScratchProfile scratch;
    fx::CProfile& profile = scratch.Profile();
    // No key for the application at all.
    EXPECT_EQ(profile.GetProfileInt(L"Section", L"Number", 7), 7);
    EXPECT_EQ(profile.GetProfileString(L"Section", L"Text", L"default"), L"default");
    // The application's key with another section only.
    scratch.SetDword(L"Other", L"Number", 1);
    EXPECT_EQ(profile.GetProfileInt(L"Section", L"Number", 7), 7);
    EXPECT_EQ(profile.GetProfileString(L"Section", L"Text", L"default"), L"default");
    // The section without the entry.
    scratch.SetDword(L"Section", L"Another", 1);
    EXPECT_EQ(profile.GetProfileInt(L"Section", L"Number", 7), 7);
    EXPECT_EQ(profile.GetProfileString(L"Section", L"Text", L"default"), L"default");
}

TEST(Profile, WithoutARegistryKeyReadsGiveDefaultsAndWritesFail)
{
    fx::CProfile profile;
    EXPECT_FALSE(profile.WriteProfileInt(L"Section", L"Number", 1));
    EXPECT_FALSE(profile.WriteProfileString(L"Section", L"Text", L"x"));
    EXPECT_EQ(profile.GetProfileInt(L"Section", L"Number", 7), 7);
    EXPECT_EQ(profile.GetProfileString(L"Section", L"Text", L"default"), L"default");
}

TEST(Profile, AValueOfAnotherTypeGivesTheDefault)
{
    ScratchProfile scratch;
    const DWORD number = 3;
    const unsigned long long wide = 3;
    const WORD half = 3;
    const wchar_t multi[] = L"a\0b\0";
    scratch.SetString(L"S", L"Text", L"3");
    scratch.Set(L"S", L"Binary", REG_BINARY, &number, sizeof(number));
    scratch.Set(L"S", L"Big endian", REG_DWORD_BIG_ENDIAN, &number, sizeof(number));
    scratch.Set(L"S", L"Qword", REG_QWORD, &wide, sizeof(wide));
    scratch.Set(L"S", L"Short dword", REG_DWORD, &half, sizeof(half));
    scratch.SetDword(L"S", L"Number", number);
    scratch.Set(L"S", L"Multi", REG_MULTI_SZ, multi, sizeof(multi));
    const fx::CProfile& profile = scratch.Profile();

    for (const wchar_t* entry : {L"Text", L"Binary", L"Big endian", L"Qword", L"Short dword", L"Multi"})
        EXPECT_EQ(profile.GetProfileInt(L"S", entry, -1), -1) << testing::PrintToString(entry);
    EXPECT_EQ(profile.GetProfileInt(L"S", L"Number", -1), 3);
    for (const wchar_t* entry : {L"Number", L"Binary", L"Multi"})
        EXPECT_EQ(profile.GetProfileString(L"S", entry, L"default"), L"default") << testing::PrintToString(entry);
}

TEST(Profile, TextsOfAnyLengthComeBackWhole)
{
    ScratchProfile scratch;
    fx::CProfile& profile = scratch.Profile();
    const std::wstring text = LongText(100000);
    ASSERT_TRUE(profile.WriteProfileString(L"S", L"Written", text));
    EXPECT_EQ(scratch.Values(L"S"), (Values{{L"Written", text}}));
    EXPECT_EQ(profile.GetProfileString(L"S", L"Written", L""), text);

    const std::wstring other = LongText(100001).substr(1);
    scratch.SetString(L"S", L"Set", other);
    EXPECT_EQ(profile.GetProfileString(L"S", L"Set", L""), other);
}

TEST(Profile, TextsAreReadWithinTheirBytes)
{
    ScratchProfile scratch;
    const std::wstring letters = L"abcdef";
    const DWORD six = 6 * sizeof(wchar_t);
    // No terminator, an odd byte count, a NUL inside, nothing at all.
    scratch.Set(L"S", L"Unterminated", REG_SZ, letters.data(), six);
    scratch.Set(L"S", L"Long unterminated", REG_SZ, LongText(100000).data(), 100000 * sizeof(wchar_t));
    scratch.Set(L"S", L"Odd", REG_SZ, letters.data(), six - 1);
    scratch.Set(L"S", L"Inner NUL", REG_SZ, L"ab\0cd", 6 * sizeof(wchar_t));
    scratch.Set(L"S", L"Empty", REG_SZ, nullptr, 0);
    scratch.Set(L"S", L"Expandable", REG_EXPAND_SZ, L"%WINDIR%\\x", 11 * sizeof(wchar_t));
    const fx::CProfile& profile = scratch.Profile();

    EXPECT_EQ(profile.GetProfileString(L"S", L"Unterminated", L"default"), L"abcdef");
    EXPECT_EQ(profile.GetProfileString(L"S", L"Long unterminated", L"default"), LongText(100000));
    EXPECT_EQ(profile.GetProfileString(L"S", L"Odd", L"default"), L"abcde");
    EXPECT_EQ(profile.GetProfileString(L"S", L"Inner NUL", L"default"), L"ab");
    EXPECT_EQ(profile.GetProfileString(L"S", L"Empty", L"default"), L"");
    // Kept as stored: whoever uses it decides about expanding.
    EXPECT_EQ(profile.GetProfileString(L"S", L"Expandable", L"default"), L"%WINDIR%\\x");
}
