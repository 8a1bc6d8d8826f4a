#include "framework/Profile.h"
#include "tests/support/ScratchProfile.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using testing_support::ScratchProfile;

namespace {

TEST(Profile, ValuesAsAnyProgramMayLeaveThemAreReadWithinTheirTypeAndBytes)
{
    ScratchProfile scratch;
    const unsigned long long number = 3; // its first 2, 4 or 8 bytes
    std::wstring longText; // every position differs from its neighbours, so a cut or a shifted copy shows
    for (size_t i = 0; i < 100000; ++i)
        longText += static_cast<wchar_t>(L'a' + i % 26);
    // The entry, its type, data and bytes, and what it reads as a number (-1: the default) and as a text (null).
    const std::tuple<const wchar_t*, DWORD, const void*, DWORD, int, const wchar_t*> values[] = {
        {L"Text", REG_SZ, L"3", 4, -1, L"3"},
        {L"Number", REG_DWORD, &number, 4, 3, nullptr},
        {L"Binary", REG_BINARY, &number, 4, -1, nullptr},
        {L"Big endian", REG_DWORD_BIG_ENDIAN, &number, 4, -1, L"default"},
        {L"Qword", REG_QWORD, &number, 8, -1, L"default"},
        {L"Short dword", REG_DWORD, &number, 2, -1, L"default"},
        {L"Multi", REG_MULTI_SZ, L"a\0b\0", 10, -1, nullptr},
        {L"Unterminated", REG_SZ, L"abcdef", 12, -1, L"abcdef"},
        {L"Long unterminated", REG_SZ, longText.data(), 200000, -1, longText.c_str()},
        {L"Odd", REG_SZ, L"abcdef", 11, -1, L"abcde"},
        {L"Inner NUL", REG_SZ, L"ab\0cd", 12, -1, L"ab"},
        {L"Empty", REG_SZ, nullptr, 0, -1, L""},
        {L"Expandable", REG_EXPAND_SZ, L"%WINDIR%\\x", 22, -1, L"%WINDIR%\\x"}, // whoever uses it expands it
    };
    for (const auto& [entry, type, data, bytes, asNumber, asText] : values)
        scratch.Set(L"S", entry, type, data, bytes);
    for (const auto& [entry, type, data, bytes, asNumber, asText] : values) {
        SCOPED_TRACE(testing::PrintToString(entry));
        EXPECT_EQ(scratch.Profile().GetProfileInt(L"S", entry, -1), asNumber);
        EXPECT_EQ(scratch.Profile().GetProfileString(L"S", entry, L"default"), asText ? asText : L"default");
    }
}

} // namespace
