// The version of project() in the top CMakeLists.txt reaches every program's
// VERSIONINFO and manifest, and the launcher is a Windows program (no console).
#include "Version.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

using namespace testing_support;

struct Built {
    const wchar_t* name;
    const char* path;
};
const Built kPrograms[] = {
    {L"Fennix", FENNIX_EXE},
    {L"Larkway", LARKWAY_EXE},
    {L"Dovrin", DOVRIN_EXE},
    {L"launch", LAUNCH_EXE},
};

std::vector<BYTE> VersionInfo(const std::wstring& path)
{
    DWORD unused = 0;
    std::vector<BYTE> info(::GetFileVersionInfoSizeW(path.c_str(), &unused));
    if (info.empty() || !::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()))
        info.clear();
    return info;
}

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
    const std::wstring identity = std::wstring(L"version=\"") + CORVALE_VERSION_WTEXT + L".0\"";
    for (const Built& program : kPrograms) {
        SCOPED_TRACE(program.name);
        std::vector<BYTE> info = VersionInfo(WindowsPath(program.path));
        ASSERT_FALSE(info.empty());
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(CORVALE_VERSION_MINOR, CORVALE_VERSION_MAJOR)));
        EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, CORVALE_VERSION_PATCH)));
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        EXPECT_EQ(StringValue(info, L"FileVersion"), CORVALE_VERSION_WTEXT);
        EXPECT_EQ(StringValue(info, L"ProductVersion"), CORVALE_VERSION_WTEXT);
        EXPECT_EQ(StringValue(info, L"OriginalFilename"), std::wstring(program.name) + L".exe");

        HMODULE module = ::LoadLibraryExW(WindowsPath(program.path).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
        HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)); // RT_MANIFEST
        ASSERT_NE(found, nullptr);
        const char* text = static_cast<const char*>(::LockResource(::LoadResource(module, found)));
        const std::string manifest(text, ::SizeofResource(module, found));
        EXPECT_NE(manifest.find(std::string(identity.begin(), identity.end())), std::string::npos) << manifest;
        ::FreeLibrary(module);
    }
}

TEST(Version, TheLauncherIsAWindowsProgramSoNoConsoleFlashes)
{
    std::ifstream file(std::filesystem::path(WindowsPath(LAUNCH_EXE)), std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), sizeof(IMAGE_DOS_HEADER));
    IMAGE_DOS_HEADER dos{};
    std::memcpy(&dos, bytes.data(), sizeof(dos));
    ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
    ASSERT_LT(static_cast<size_t>(dos.e_lfanew) + sizeof(IMAGE_NT_HEADERS64), bytes.size());
    IMAGE_NT_HEADERS64 nt{};
    std::memcpy(&nt, bytes.data() + dos.e_lfanew, sizeof(nt));
    ASSERT_EQ(nt.Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

} // namespace
