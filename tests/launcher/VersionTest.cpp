// The project's version is in every program's VERSIONINFO and manifest; none is a console program.
#include "Version.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <shellapi.h>

namespace {

TEST(Version, EveryProgramAndItsManifestCarryTheProjectsVersion)
{
    const std::string identity = std::string("version=\"") + CORVALE_VERSION_TEXT + ".0\"";
    const std::pair<const wchar_t*, const char*> programs[] = {
        {L"Fennix", FENNIX_EXE}, {L"Larkway", LARKWAY_EXE}, {L"Dovrin", DOVRIN_EXE}, {L"launch", LAUNCH_EXE}};
    for (const auto& [name, built] : programs) {
        SCOPED_TRACE(name);
        const std::wstring path = testing_support::WindowsPath(built);
        std::vector<BYTE> info(::GetFileVersionInfoSizeW(path.c_str(), nullptr));
        ASSERT_TRUE(!info.empty() && ::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(CORVALE_VERSION_MINOR, CORVALE_VERSION_MAJOR)));
        EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, CORVALE_VERSION_PATCH)));
        const std::wstring version = CORVALE_VERSION_WTEXT, file = std::wstring(name) + L".exe";
        for (const auto& [key, value] : {std::pair{L"FileVersion", version}, {L"ProductVersion", version},
                                         {L"OriginalFilename", file}}) {
            const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
            wchar_t* text = nullptr;
            ASSERT_TRUE(::VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&text), &length));
            EXPECT_EQ(std::wstring(text, ::wcsnlen(text, length)), value);
        }
        HMODULE module = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        HRSRC found = module ? ::FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST) : nullptr;
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
