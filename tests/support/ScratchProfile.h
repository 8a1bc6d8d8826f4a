// A registry profile of one test's own (HKCU\Software\Corvale Tests\<test>-<process>-<number>), removed
// with everything in it when the test ends: tests never see each other's values or the real program's.
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

    fx::CProfile& Profile() { return m_profile; } // pointed at this test's key

    // Values as any program or person may leave them, written without CProfile.
    void Set(const std::wstring& section, const std::wstring& entry, DWORD type, const void* data, DWORD bytes) const;
    void SetDword(const std::wstring& section, const std::wstring& entry, DWORD value) const;
    void SetString(const std::wstring& section, const std::wstring& entry, const std::wstring& text) const;

    // A section's values as the registry holds them, read without CProfile: a REG_DWORD's number, a
    // REG_SZ's text (which must end in a terminator); any other type fails the test. Empty when absent.
    using Value = std::variant<DWORD, std::wstring>;
    std::map<std::wstring, Value> Values(const std::wstring& section) const;

private:
    std::wstring SectionPath(const std::wstring& section) const;

    static int s_made; // keeps two of one test apart
    std::wstring m_company = L"Corvale Tests", m_application;
    fx::CProfile m_profile;
};

} // namespace testing_support
