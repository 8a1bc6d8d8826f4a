// The per-user profile: named integers and texts kept in the registry under
// HKEY_CURRENT_USER\Software\<company>\<application>\<section>.
// Anyone can edit those values, so every read checks the type and the size
// and falls back to the caller's default rather than trusting the data.
#pragma once
#include "framework/Handle.h"

#include <string>

namespace fx {

class CProfile {
public:
    // Until this is called the profile has no place: reads give their
    // defaults and writes fail.
    void SetRegistryKey(const std::wstring& company, const std::wstring& application);

    // A REG_DWORD value; the default when it is absent or of another type.
    int GetProfileInt(const std::wstring& section, const std::wstring& entry, int defaultValue) const;
    // A REG_SZ or REG_EXPAND_SZ value (not expanded) of any length, up to its
    // first NUL or its end; the default when it is absent or of another type.
    std::wstring GetProfileString(const std::wstring& section, const std::wstring& entry,
                                  const std::wstring& defaultValue) const;

    // Write a REG_DWORD / a REG_SZ, creating the section as needed; false
    // when the registry refuses.
    bool WriteProfileInt(const std::wstring& section, const std::wstring& entry, int value);
    bool WriteProfileString(const std::wstring& section, const std::wstring& entry, const std::wstring& value);

private:
    // The section's key, opened for reading or created for writing; empty
    // when there is none (or no registry key was set).
    CRegKey OpenSection(const std::wstring& section) const;
    CRegKey CreateSection(const std::wstring& section) const;
    std::wstring SectionPath(const std::wstring& section) const;

    std::wstring m_appKey; // Software\<company>\<application>
};

} // namespace fx
