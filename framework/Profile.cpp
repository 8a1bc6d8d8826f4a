#include "framework/Profile.h"

#include <cwchar>

namespace fx {

namespace {
bool IsText(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}
} // namespace

void CProfile::SetRegistryKey(const std::wstring& company, const std::wstring& application)
{
    m_appKey = L"Software\\" + company + L"\\" + application;
}

std::wstring CProfile::SectionPath(const std::wstring& section) const
{
    return m_appKey + L"\\" + section;
}

CRegKey CProfile::OpenSection(const std::wstring& section) const
{
    CRegKey key;
    if (m_appKey.empty() ||
        ::RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_QUERY_VALUE, key.Put()) !=
            ERROR_SUCCESS)
        return {};
    return key;
}

CRegKey CProfile::CreateSection(const std::wstring& section) const
{
    CRegKey key;
    if (m_appKey.empty() ||
        ::RegCreateKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE, nullptr, key.Put(), nullptr) != ERROR_SUCCESS)
        return {};
    return key;
}

int CProfile::GetProfileInt(const std::wstring& section, const std::wstring& entry, int defaultValue) const
{
    CRegKey key = OpenSection(section);
    if (!key)
        return defaultValue;
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD bytes = sizeof(value);
    if (::RegQueryValueExW(key.Get(), entry.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || bytes != sizeof(value))
        return defaultValue;
    return static_cast<int>(value);
}

std::wstring CProfile::GetProfileString(const std::wstring& section, const std::wstring& entry,
                                        const std::wstring& defaultValue) const
{
    CRegKey key = OpenSection(section);
    if (!key)
        return defaultValue;
    DWORD type = REG_NONE;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.Get(), entry.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return defaultValue;
    // Another program may change the value between asking its size and
    // reading it: read again with the size it has now until it fits.
    for (;;) {
        // The buffer below is one character longer than the data, and its
        // size in bytes has to fit a DWORD.
        if (!IsText(type) || bytes >= MAXDWORD - sizeof(wchar_t))
            return defaultValue;
        // Zero-filled, with room for an odd last byte and for the terminator
        // the data need not have.
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        const LSTATUS status =
            ::RegQueryValueExW(key.Get(), entry.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &got);
        if (status == ERROR_SUCCESS) {
            if (!IsText(type))
                return defaultValue;
            // Up to the first NUL, never past the bytes the registry gave.
            text.resize(wcsnlen(text.c_str(), got / sizeof(wchar_t)));
            return text;
        }
        if (status != ERROR_MORE_DATA)
            return defaultValue;
        bytes = got;
    }
}

bool CProfile::WriteProfileInt(const std::wstring& section, const std::wstring& entry, int value)
{
    CRegKey key = CreateSection(section);
    const DWORD data = static_cast<DWORD>(value);
    return key && ::RegSetValueExW(key.Get(), entry.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                   sizeof(data)) == ERROR_SUCCESS;
}

bool CProfile::WriteProfileString(const std::wstring& section, const std::wstring& entry, const std::wstring& value)
{
    // The size in bytes, terminator included, has to fit a DWORD.
    if (value.size() >= MAXDWORD / sizeof(wchar_t))
        return false;
    CRegKey key = CreateSection(section);
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return key && ::RegSetValueExW(key.Get(), entry.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                   bytes) == ERROR_SUCCESS;
}

} // namespace fx
