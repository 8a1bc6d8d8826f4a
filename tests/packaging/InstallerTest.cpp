// The installer as a user runs it: silently (/S) into this test prefix, then
// what it made looked at from outside, and the silent uninstall. What the
// classes it registers do is tests/packaging/HandOverTest.cpp.
#include "Version.h"

#include "tests/packaging/Installation.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <wrl/client.h>

#include <map>
#include <vector>

namespace {

using namespace testing_support;
using namespace installation;

const wchar_t kSettingsKey[] = L"Software\\Corvale\\Larkway";
const wchar_t kClasses[] = L"Software\\Classes\\";
const std::wstring kFennixClass = L"{162D8A16-CBCC-4299-AAEB-20CD97E3486C}";
const std::wstring kLarkwayClass = L"{2F849E5F-F161-4BDA-A6BF-36C3E4A87204}";
const std::wstring kDovrinClass = L"{95CC3F77-58B2-4D06-9E30-037412E5D1B8}";
// Class, verb key, the words the user reads, the program it starts, its class.
const struct {
    std::wstring itemClass, key, text, program, clsid;
} kVerbs[] = {
    {L"*", L"Corvale.Fennix", L"Properties (Fennix)", L"Fennix.exe", kFennixClass},
    {L"Directory", L"Corvale.Fennix", L"Properties (Fennix)", L"Fennix.exe", kFennixClass},
    {L"Drive", L"Corvale.Fennix", L"Properties (Fennix)", L"Fennix.exe", kFennixClass},
    {L"*", L"Corvale.Larkway", L"Copy or move to a folder (Larkway)", L"Larkway.exe", kLarkwayClass},
    {L"Directory", L"Corvale.Larkway", L"Copy or move to a folder (Larkway)", L"Larkway.exe", kLarkwayClass},
    {L"*", L"Corvale.Dovrin", L"Drive figures (Dovrin)", L"Dovrin.exe", kDovrinClass},
    {L"Directory", L"Corvale.Dovrin", L"Drive figures (Dovrin)", L"Dovrin.exe", kDovrinClass},
    {L"Drive", L"Corvale.Dovrin", L"Drive figures (Dovrin)", L"Dovrin.exe", kDovrinClass},
};
// Send To item, its private type, and the class that type drops on.
const struct {
    std::wstring file, extension, clsid;
} kSendTo[] = {
    {L"Fennix (properties).corvale-fennix", L".corvale-fennix", kFennixClass},
    {L"Larkway (copy or move to a folder).corvale-larkway", L".corvale-larkway", kLarkwayClass},
};
// Keys the verbs hang under: the uninstall takes them away only if it made them.
const wchar_t* const kClassKeys[] = {L"Software\\Classes\\*",         L"Software\\Classes\\*\\shell",
                                     L"Software\\Classes\\Directory", L"Software\\Classes\\Directory\\shell",
                                     L"Software\\Classes\\Drive",     L"Software\\Classes\\Drive\\shell",
                                     L"Software\\Classes\\CLSID"};
// A verb key someone else made, with a value and a DropTarget of its own.
const std::wstring kStrangersVerb = L"Software\\Classes\\*\\shell\\Corvale.Fennix";
const wchar_t kStranger[] = L"{00000000-1111-2222-3333-444444444444}";

// A shortcut's target, arguments and icon, one line.
std::wstring ShortcutOf(const std::wstring& path)
{
    Microsoft::WRL::ComPtr<IShellLinkW> link;
    Microsoft::WRL::ComPtr<IPersistFile> file;
    wchar_t target[1024] = L"", arguments[1024] = L"", icon[1024] = L"";
    int index = 0;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, &link)) &&
        SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
        link->GetPath(target, 1024, nullptr, SLGP_RAWPATH);
        link->GetArguments(arguments, 1024);
        link->GetIconLocation(icon, 1024, &index);
    }
    return std::wstring(target) + L" " + arguments + L" " + icon;
}

std::wstring ProductVersion(const std::wstring& file)
{
    DWORD unused = 0;
    std::vector<BYTE> info(::GetFileVersionInfoSizeW(file.c_str(), &unused) + 1);
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!::GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(info.size()), info.data()) ||
        !::VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductVersion", reinterpret_cast<void**>(&value),
                          &length))
        return L"";
    return std::wstring(value, ::wcsnlen(value, length));
}

class InstallerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    static void TearDownTestSuite() { ::CoUninitialize(); }
    void SetUp() override { ASSERT_TRUE(Uninstall()) << "an earlier installation would not go"; }
    void TearDown() override
    {
        Uninstall();
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"InstallerTest");
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kStrangersVerb.c_str());
    }
};

// Installed twice: the second time over a verb key someone else made, which
// the install does not merge into and the uninstall leaves; everything made
// goes, and Larkway's settings stay unless asked to go too.
TEST_F(InstallerTest, InstallsForTheUserAndUninstallsLeavingOnlyWhatIsNotItsOwn)
{
    const std::wstring folder = InstallFolder(), sendTo = KnownFolder(FOLDERID_SendTo);
    const std::wstring menu = KnownFolder(FOLDERID_Programs) + L"\\Corvale", launcher = folder + L"\\launch.exe";
    for (const std::wstring options : {L"", L"/RemoveSettings"}) {
        SCOPED_TRACE(options);
        const bool stranger = !options.empty();
        if (stranger) {
            ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kStrangersVerb.c_str(), L"Extended", REG_SZ, L"", 2), 0);
            ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, (kStrangersVerb + L"\\DropTarget").c_str(), L"CLSID",
                                        REG_SZ, kStranger, sizeof(kStranger)),
                      0);
        }
        std::map<std::wstring, bool> keysBefore;
        for (const wchar_t* key : kClassKeys)
            keysBefore[key] = KeyExists(key);
        ASSERT_TRUE(Install());
        for (const wchar_t* program : {L"Fennix.exe", L"Larkway.exe", L"Dovrin.exe", L"launch.exe", L"uninstall.exe"})
            EXPECT_TRUE(Exists(folder + L"\\" + program)) << program;
        for (const wchar_t* program : {L"Fennix", L"Dovrin"}) {
            const std::wstring exe = folder + L"\\" + program + L".exe";
            EXPECT_EQ(ShortcutOf(menu + L"\\" + program + L".lnk"), launcher + L" \"" + exe + L"\" " + exe);
        }
        for (const auto& verb : kVerbs) {
            const std::wstring key = kClasses + verb.itemClass + L"\\shell\\" + verb.key;
            SCOPED_TRACE(key);
            const bool strangers = stranger && key == kStrangersVerb;
            EXPECT_EQ(RegString(key, nullptr), strangers ? std::nullopt : std::optional(verb.text));
            EXPECT_EQ(RegString(key + L"\\DropTarget", L"CLSID"), strangers ? kStranger : verb.clsid);
            if (strangers)
                continue;
            EXPECT_EQ(RegString(key, L"MultiSelectModel"), L"Player");
            EXPECT_EQ(RegString(key, L"Icon"), folder + L"\\" + verb.program + L",0");
            EXPECT_FALSE(KeyExists(key + L"\\command")); // no process per item
        }
        for (const std::wstring& clsid : {kFennixClass, kLarkwayClass, kDovrinClass})
            EXPECT_EQ(RegString(kClasses + (L"CLSID\\" + clsid) + L"\\LocalServer32", nullptr), L"\"" + launcher + L"\"");
        for (const auto& item : kSendTo) {
            EXPECT_TRUE(Exists(sendTo + L"\\" + item.file)) << item.file;
            const std::wstring type = RegString(kClasses + item.extension, nullptr).value_or(L"");
            EXPECT_EQ(RegString(kClasses + type + L"\\shellex\\DropHandler", nullptr), item.clsid) << item.file;
        }
        EXPECT_FALSE(KeyExists(L"Software\\Classes\\Drive\\shell\\Corvale.Larkway")); // no copying whole drives
        const std::wstring version = CORVALE_VERSION_WTEXT;
        EXPECT_EQ(RegString(kUninstallKey, L"DisplayVersion"), version);
        EXPECT_EQ(RegString(kUninstallKey, L"InstallLocation"), folder);
        EXPECT_EQ(RegString(kUninstallKey, L"QuietUninstallString"), L"\"" + folder + L"\\uninstall.exe\" /S");
        EXPECT_EQ(ProductVersion(WindowsPath(INSTALLER_EXE)), version);
        EXPECT_EQ(ProductVersion(folder + L"\\Fennix.exe"), version);

        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"InstallerTest", REG_SZ, L"kept", 10), 0);
        ASSERT_TRUE(Uninstall(options));
        EXPECT_FALSE(Exists(folder));
        EXPECT_TRUE(Exists(KnownFolder(FOLDERID_LocalAppData) + L"\\Programs")); // not ours alone
        for (const auto& item : kSendTo) {
            EXPECT_FALSE(Exists(sendTo + L"\\" + item.file)) << item.file;
            EXPECT_FALSE(KeyExists(kClasses + item.extension)) << item.extension;
        }
        EXPECT_FALSE(KeyExists(L"Software\\Classes\\Corvale.Fennix.SendTo"));
        for (const std::wstring& clsid : {kFennixClass, kLarkwayClass, kDovrinClass})
            EXPECT_FALSE(KeyExists(kClasses + (L"CLSID\\" + clsid))) << clsid;
        EXPECT_TRUE(Exists(sendTo));
        EXPECT_FALSE(Exists(menu));
        for (const auto& verb : kVerbs) {
            const std::wstring key = kClasses + verb.itemClass + L"\\shell\\" + verb.key;
            EXPECT_EQ(KeyExists(key), stranger && key == kStrangersVerb) << key;
        }
        for (const wchar_t* key : kClassKeys)
            EXPECT_EQ(KeyExists(key), keysBefore[key]) << key;
        EXPECT_FALSE(KeyExists(kUninstallKey));
        const std::optional<std::wstring> kept = stranger ? std::nullopt : std::optional<std::wstring>(L"kept");
        EXPECT_EQ(RegString(kSettingsKey, L"InstallerTest"), kept);
    }
    EXPECT_EQ(RegString(kStrangersVerb, L"Extended"), L"");
    EXPECT_EQ(RegString(kStrangersVerb + L"\\DropTarget", L"CLSID"), std::wstring(kStranger));
}

} // namespace
