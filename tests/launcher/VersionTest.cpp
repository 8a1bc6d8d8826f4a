// The version of project() in the top CMakeLists.txt reaches every program's
// VERSIONINFO and manifest, and every program, the launcher first, is a
// Windows program (no console flashes).
#include "Version.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <shellapi.h>

namespace {

std::wstring StringValue(std::vector<BYTE>& info, const wchar_t* name)
{
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!::VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return std::wstring();
    return std::wstring(value, ::wcsnlen(value, length));
}

TEST(Version, EveryProgramAndItsManifestCarryTheProjectsVersion)
{
    const std::string identity = std::string("version=\"") + CORVALE_VERSION_TEXT + ".0\"";
    const std::pair<const wchar_t*, const char*> programs[] = {
        {L"Fennix", FENNIX_EXE}, {L"Larkway", LARKWAY_EXE}, {L"Dovrin", DOVRIN_EXE}, {L"launch", LAUNCH_EXE}};
    for (const auto& [name, built] : programs) {
        SCOPED_TRACE(name);
        const std::wstring path = testing_support::WindowsPath(built);
        DWORD unused = 0;
        std::vector<BYTE> info(::GetFileVersionInfoSizeW(path.c_str(), &unused));
        ASSERT_TRUE(!info.empty() && ::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(CORVALE_VERSION_MINOR, CORVALE_VERSION_MAJOR)));
        EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, CORVALE_VERSION_PATCH)));
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        EXPECT_EQ(StringValue(info, L"FileVersion"), CORVALE_VERSION_WTEXT);
        EXPECT_EQ(StringValue(info, L"ProductVersion"), CORVALE_VERSION_WTEXT);
        EXPECT_EQ(StringValue(info, L"OriginalFilename"), std::wstring(name) + L".exe");

        HMODULE module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
        HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)); // RT_MANIFEST
        ASSERT_NE(found, nullptr);
        const std::string manifest(static_cast<const char*>(::LockResource(::LoadResource(module, found))),
                                   ::SizeofResource(module, found));
        EXPECT_NE(manifest.find(identity), std::string::npos) << manifest;
        ::FreeLibrary(module);
        // A console program's type has no subsystem version in its high word.
        EXPECT_NE(HIWORD(::SHGetFileInfoW(path.c_str(), 0, nullptr, 0, SHGFI_EXETYPE)), 0);
    }
}

} // namespace
