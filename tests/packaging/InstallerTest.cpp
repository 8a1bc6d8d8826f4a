// The installer as a user runs it: silently (/S) into this test prefix, then
// what it made looked at from outside, and the silent uninstall. What the
// classes it registers do is tests/packaging/HandOverTest.cpp.
#include "Version.h"

#include "framework/Handle.h"
#include "tests/packaging/Installation.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <map>
#include <optional>

namespace {

using namespace testing_support;
using namespace installation;

const wchar_t kSettingsKey[] = L"Software\\Corvale\\Larkway";
const wchar_t* const kPrograms[] = {L"Fennix.exe", L"Larkway.exe", L"Dovrin.exe", L"launch.exe"};
const wchar_t kFennixClass[] = L"{162D8A16-CBCC-4299-AAEB-20CD97E3486C}";
const wchar_t kLarkwayClass[] = L"{2F849E5F-F161-4BDA-A6BF-36C3E4A87204}";
const wchar_t kDovrinClass[] = L"{95CC3F77-58B2-4D06-9E30-037412E5D1B8}";
// Class, verb key, the words the user reads, the program it starts, its class.
struct Verb {
    const wchar_t* itemClass;
    const wchar_t* key;
    const wchar_t* text;
    const wchar_t* program;
    const wchar_t* clsid;
};
const Verb kVerbs[] = {
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
struct SendTo {
    const wchar_t* file;
    const wchar_t* extension;
    const wchar_t* clsid;
};
const SendTo kSendTo[] = {
    {L"Fennix (properties).corvale-fennix", L".corvale-fennix", kFennixClass},
    {L"Larkway (copy or move to a folder).corvale-larkway", L".corvale-larkway", kLarkwayClass},
};
// Keys the verbs hang under: the uninstall takes them away only if it made them.
const wchar_t* const kClassKeys[] = {L"Software\\Classes\\*",         L"Software\\Classes\\*\\shell",
                                     L"Software\\Classes\\Directory", L"Software\\Classes\\Directory\\shell",
                                     L"Software\\Classes\\Drive",     L"Software\\Classes\\Drive\\shell",
                                     L"Software\\Classes\\CLSID",     L"Software\\Corvale"};

struct Shortcut {
    std::wstring target, arguments, icon;
};

std::optional<Shortcut> ReadShortcut(const std::wstring& path)
{
    IShellLinkW* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link))))
        return std::nullopt;
    std::optional<Shortcut> result;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
            wchar_t target[1024] = L"", arguments[1024] = L"", icon[1024] = L"";
            int index = 0;
            link->GetPath(target, 1024, nullptr, SLGP_RAWPATH);
            link->GetArguments(arguments, 1024);
            link->GetIconLocation(icon, 1024, &index);
            result = Shortcut{target, arguments, icon};
        }
        file->Release();
    }
    link->Release();
    return result;
}

class InstallerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    static void TearDownTestSuite() { ::CoUninitialize(); }

    void SetUp() override
    {
        ASSERT_TRUE(Uninstall()) << "an earlier installation would not go";
        for (const wchar_t* key : kClassKeys)
            m_keysBefore[key] = KeyExists(key);
        m_settingsBefore = KeyExists(kSettingsKey);
    }
    void TearDown() override
    {
        Uninstall();
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"InstallerTest");
        if (!m_settingsBefore) {
            ::RegDeleteKeyW(HKEY_CURRENT_USER, kSettingsKey);
            if (!m_keysBefore[L"Software\\Corvale"])
                ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Corvale");
        }
    }

    const std::wstring m_folder = InstallFolder();
    const std::wstring m_sendTo = KnownFolder(FOLDERID_SendTo);
    const std::wstring m_menu = KnownFolder(FOLDERID_Programs) + L"\\Corvale";
    std::map<std::wstring, bool> m_keysBefore;
    bool m_settingsBefore = false;
};

TEST_F(InstallerTest, InstallsForTheUserWithSendToVerbsAndStartMenu)
{
    ASSERT_TRUE(Install());
    for (const wchar_t* program : kPrograms)
        EXPECT_TRUE(Exists(m_folder + L"\\" + program)) << program;
    EXPECT_TRUE(Exists(m_folder + L"\\uninstall.exe"));

    const std::wstring launcher = m_folder + L"\\launch.exe";
    struct Expected {
        std::wstring shortcut, program;
    };
    const Expected shortcuts[] = {
        {m_menu + L"\\Fennix.lnk", L"Fennix.exe"},
        {m_menu + L"\\Dovrin.lnk", L"Dovrin.exe"},
    };
    for (const Expected& expected : shortcuts) {
        SCOPED_TRACE(expected.shortcut);
        const std::optional<Shortcut> shortcut = ReadShortcut(expected.shortcut);
        ASSERT_TRUE(shortcut.has_value());
        const std::wstring program = m_folder + L"\\" + expected.program;
        EXPECT_EQ(::lstrcmpiW(shortcut->target.c_str(), launcher.c_str()), 0) << shortcut->target;
        EXPECT_EQ(shortcut->arguments, L"\"" + program + L"\"");
        EXPECT_EQ(::lstrcmpiW(shortcut->icon.c_str(), program.c_str()), 0) << shortcut->icon;
    }

    for (const Verb& verb : kVerbs) {
        const std::wstring key = std::wstring(L"Software\\Classes\\") + verb.itemClass + L"\\shell\\" + verb.key;
        SCOPED_TRACE(key);
        EXPECT_EQ(RegString(key, nullptr), std::wstring(verb.text));
        EXPECT_EQ(RegString(key, L"MultiSelectModel"), L"Player");
        EXPECT_EQ(RegString(key, L"Icon"), m_folder + L"\\" + verb.program + L",0");
        EXPECT_EQ(RegString(key + L"\\DropTarget", L"CLSID"), std::wstring(verb.clsid));
        EXPECT_FALSE(KeyExists(key + L"\\command")); // no process per item
    }
    for (const wchar_t* clsid : {kFennixClass, kLarkwayClass, kDovrinClass})
        EXPECT_EQ(RegString(std::wstring(L"Software\\Classes\\CLSID\\") + clsid + L"\\LocalServer32", nullptr),
                  L"\"" + launcher + L"\"") << clsid;
    for (const SendTo& item : kSendTo) {
        SCOPED_TRACE(item.file);
        EXPECT_TRUE(Exists(m_sendTo + L"\\" + item.file));
        const std::optional<std::wstring> type = RegString(std::wstring(L"Software\\Classes\\") + item.extension, nullptr);
        ASSERT_TRUE(type.has_value());
        EXPECT_EQ(RegString(L"Software\\Classes\\" + *type + L"\\shellex\\DropHandler", nullptr), std::wstring(item.clsid));
    }
    EXPECT_FALSE(KeyExists(L"Software\\Classes\\Drive\\shell\\Corvale.Larkway")); // no copying whole drives

    const std::wstring version = CORVALE_VERSION_WTEXT;
    EXPECT_EQ(RegString(kUninstallKey, L"DisplayVersion"), version);
    EXPECT_EQ(RegString(kUninstallKey, L"InstallLocation"), m_folder);
    EXPECT_EQ(RegString(kUninstallKey, L"UninstallString"), L"\"" + m_folder + L"\\uninstall.exe\"");
    EXPECT_EQ(RegString(kUninstallKey, L"QuietUninstallString"), L"\"" + m_folder + L"\\uninstall.exe\" /S");

    // The installer and the programs it put there carry the project's version.
    for (const std::wstring& file : {WindowsPath(INSTALLER_EXE), m_folder + L"\\Fennix.exe"}) {
        SCOPED_TRACE(file);
        DWORD unused = 0;
        std::vector<BYTE> info(::GetFileVersionInfoSizeW(file.c_str(), &unused));
        ASSERT_FALSE(info.empty());
        ASSERT_TRUE(::GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
        wchar_t* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                                     reinterpret_cast<void**>(&value), &length));
        EXPECT_EQ(std::wstring(value, ::wcsnlen(value, length)), version);
    }
}

TEST_F(InstallerTest, UninstallLeavesNothingButLarkwaysSettings)
{
    ASSERT_TRUE(Install());
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"InstallerTest", REG_SZ, L"kept", 10), ERROR_SUCCESS);
    ASSERT_TRUE(Uninstall());

    EXPECT_FALSE(Exists(m_folder));
    EXPECT_TRUE(Exists(KnownFolder(FOLDERID_LocalAppData) + L"\\Programs")); // not ours alone
    for (const SendTo& item : kSendTo) {
        EXPECT_FALSE(Exists(m_sendTo + L"\\" + item.file)) << item.file;
        EXPECT_FALSE(KeyExists(std::wstring(L"Software\\Classes\\") + item.extension)) << item.extension;
    }
    EXPECT_FALSE(KeyExists(L"Software\\Classes\\Corvale.Fennix.SendTo"));
    for (const wchar_t* clsid : {kFennixClass, kLarkwayClass, kDovrinClass})
        EXPECT_FALSE(KeyExists(std::wstring(L"Software\\Classes\\CLSID\\") + clsid)) << clsid;
    EXPECT_TRUE(Exists(m_sendTo));
    EXPECT_FALSE(Exists(m_menu));
    for (const Verb& verb : kVerbs)
        EXPECT_FALSE(KeyExists(std::wstring(L"Software\\Classes\\") + verb.itemClass + L"\\shell\\" + verb.key)) << verb.key;
    for (const wchar_t* key : kClassKeys) {
        if (std::wstring(key) != L"Software\\Corvale") {
            EXPECT_EQ(KeyExists(key), m_keysBefore[key]) << key;
        }
    }
    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_EQ(RegString(kSettingsKey, L"InstallerTest"), L"kept");
}

TEST_F(InstallerTest, UninstallAskedToTakesLarkwaysSettingsToo)
{
    ASSERT_TRUE(Install());
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"InstallerTest", REG_SZ, L"kept", 10), ERROR_SUCCESS);
    ASSERT_TRUE(Uninstall(L"/RemoveSettings"));
    EXPECT_FALSE(Exists(m_folder));
    EXPECT_FALSE(KeyExists(kSettingsKey));
}

// A verb key someone else made (here with a value and a DropTarget of its
// own) is neither merged into by the install nor taken away by the uninstall.
TEST_F(InstallerTest, AVerbKeyMadeBySomeoneElseIsLeftAsItWas)
{
    const std::wstring key = L"Software\\Classes\\*\\shell\\Corvale.Fennix";
    const wchar_t stranger[] = L"{00000000-1111-2222-3333-444444444444}";
    struct Removed {
        const std::wstring& key;
        ~Removed() { ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()); }
    } removedAtTheEnd{key};
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Extended", REG_SZ, L"", sizeof(wchar_t)), ERROR_SUCCESS);
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, (key + L"\\DropTarget").c_str(), L"CLSID", REG_SZ, stranger,
                                sizeof(stranger)),
              ERROR_SUCCESS);
    ASSERT_TRUE(Install());
    EXPECT_EQ(RegString(key, nullptr), std::nullopt);
    EXPECT_EQ(RegString(key, L"Extended"), L"");
    EXPECT_EQ(RegString(key + L"\\DropTarget", L"CLSID"), std::wstring(stranger));
    // The verbs it did make are there.
    EXPECT_EQ(RegString(L"Software\\Classes\\Directory\\shell\\Corvale.Fennix\\DropTarget", L"CLSID"),
              std::wstring(kFennixClass));
    ASSERT_TRUE(Uninstall());
    EXPECT_EQ(RegString(key, L"Extended"), L"");
    EXPECT_EQ(RegString(key + L"\\DropTarget", L"CLSID"), std::wstring(stranger));
    EXPECT_FALSE(KeyExists(L"Software\\Classes\\Directory\\shell\\Corvale.Fennix"));
}

} // namespace
