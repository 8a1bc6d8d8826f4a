#include "properties/FilterRule.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FilterRule, AcceptsPatternsOfTypesAndNothingElse)
{
    const struct {
        const wchar_t* filter;
        bool accepted;
    } cases[] = {
        {L"", true},
        {L"*.txt;*.doc", true},
        {L"*.txt,*.doc", true},
        {L"*.txt", true},
        {L"*.日本語;*.Ž", true},
        // A pattern needs a type after "*.".
        {L"*.txt;*", false},
        {L"*.txt;*.;", false},
        {L"*.txt;*.,", false},
        {L"*.txt;*. x", false},
        {L"*.txt;*.", false},
        // It must start with "*" and be three characters at least.
        {L"txt", false},
        {L"*t", false},
        {L"*.", false},
        {L" *.txt", false},
        // "*.*" is the row every filter has: leading it may come, later not.
        {L"*.*", true},
        {L"*.*;", true},
        {L"*.*;*.txt", true},
        {L"*.txt;*.*", false},
        {L"*.*;*.*", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsAcceptableFilter(c.filter), c.accepted) << testing::PrintToString(std::wstring(c.filter));
}

} // namespace
