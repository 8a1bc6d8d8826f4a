// A registry profile of one test's own, removed with everything in it when
// the test ends, so tests never see each other's values or the real
// program's. Its key: HKEY_CURRENT_USER\Software\Corvale Tests\<test name>-
// <process id>-<number of this one>.
#pragma once
#include "framework/Profile.h"

#include <windows.h>

#include <map>
#include <string>
#include <variant>

namespace testing_support {

class ScratchProfile {
public:
    ScratchProfile();
    ~ScratchProfile();
    ScratchProfile(const ScratchProfile&) = delete;
    ScratchProfile& operator=(const ScratchProfile&) = delete;

    // A profile already pointed at this test's key.
    fx::CProfile& Profile() { return m_profile; }

    // Values as any program or person may leave them, written without CProfile.
    void Set(const std::wstring& section, const std::wstring& entry, DWORD type, const void* data, DWORD bytes) const;
    void SetDword(const std::wstring& section, const std::wstring& entry, DWORD value) const;
    void SetString(const std::wstring& section, const std::wstring& entry, const std::wstring& text) const;

    // Every value of a section as the registry holds it, read without
    // CProfile: a REG_DWORD as its number, a REG_SZ as its text (which must
    // end in a terminator). Any other type fails the test. Empty when the
    // section does not exist.
    using Value = std::variant<DWORD, std::wstring>;
    std::map<std::wstring, Value> Values(const std::wstring& section) const;

private:
    std::wstring SectionPath(const std::wstring& section) const;

    static int s_made; // keeps two of one test apart

    std::wstring m_company;
    std::wstring m_application;
    fx::CProfile m_profile;
};

} // namespace testing_support
