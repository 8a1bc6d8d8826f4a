#include "tests/support/ScratchProfile.h"

#include "framework/Handle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace testing_support {

int ScratchProfile::s_made = 0;

ScratchProfile::ScratchProfile()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string test = info ? std::string(info->test_suite_name()) + "." + info->name() : "outside a test";
    m_application = std::wstring(test.begin(), test.end()) + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                    std::to_wstring(++s_made);
    m_profile.SetRegistryKey(m_company, m_application);
}

ScratchProfile::~ScratchProfile()
{
    const std::wstring company = L"Software\\" + m_company;
    ::RegDeleteTreeW(HKEY_CURRENT_USER, (company + L"\\" + m_application).c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, company.c_str()); // fails, as it should, while another test's key is there
}

std::wstring ScratchProfile::SectionPath(const std::wstring& section) const
{
    return L"Software\\" + m_company + L"\\" + m_application + L"\\" + section;
}

void ScratchProfile::Set(const std::wstring& section, const std::wstring& entry, DWORD type, const void* data,
                         DWORD bytes) const
{
    HKEY raw = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    fx::CRegKey key(raw);
    ASSERT_EQ(::RegSetValueExW(key.Get(), entry.c_str(), 0, type, static_cast<const BYTE*>(data), bytes),
              ERROR_SUCCESS);
}

void ScratchProfile::SetDword(const std::wstring& section, const std::wstring& entry, DWORD value) const
{
    Set(section, entry, REG_DWORD, &value, sizeof(value));
}

void ScratchProfile::SetString(const std::wstring& section, const std::wstring& entry, const std::wstring& text) const
{
    Set(section, entry, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::map<std::wstring, ScratchProfile::Value> ScratchProfile::Values(const std::wstring& section) const
{
    std::map<std::wstring, Value> values;
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
        return values;
    fx::CRegKey key(raw);
    DWORD count = 0, longestName = 0, largestData = 0;
    EXPECT_EQ(::RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                                 &longestName, &largestData, nullptr, nullptr),
              ERROR_SUCCESS);
    std::vector<wchar_t> name(longestName + 1);
    std::vector<BYTE> data(largestData + sizeof(wchar_t));
    for (DWORD i = 0; i < count; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = REG_NONE;
        DWORD bytes = static_cast<DWORD>(data.size());
        std::fill(data.begin(), data.end(), BYTE{0});
        EXPECT_EQ(::RegEnumValueW(key.Get(), i, name.data(), &nameLength, nullptr, &type, data.data(), &bytes),
                  ERROR_SUCCESS);
        const std::wstring valueName(name.data(), nameLength);
        if (type == REG_DWORD && bytes == sizeof(DWORD)) {
            DWORD number = 0;
            std::memcpy(&number, data.data(), sizeof(number));
            values[valueName] = number;
        } else if (type == REG_SZ && bytes >= sizeof(wchar_t) && bytes % sizeof(wchar_t) == 0) {
            std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), bytes / sizeof(wchar_t));
            EXPECT_EQ(text.back(), L'\0') << "REG_SZ without a terminator: " << testing::PrintToString(valueName);
            text.pop_back();
            values[valueName] = text;
        } else {
            ADD_FAILURE() << "value " << testing::PrintToString(valueName) << " has type " << type << " and "
                          << bytes << " bytes";
        }
    }
    return values;
}

} // namespace testing_support
