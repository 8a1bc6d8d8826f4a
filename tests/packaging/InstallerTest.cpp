// The installer as a user runs it: silently (/S) into this test prefix, then
// what it made looked at from outside, one context-menu verb run as the shell
// runs it, and the silent uninstall.
#include "Version.h"
#include "resource.h" // Fennix's

#include "framework/Handle.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

namespace {

using namespace testing_support;

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\CorvaleShellUtilities";
const wchar_t kSettingsKey[] = L"Software\\Corvale\\Larkway";
const wchar_t* const kPrograms[] = {L"Fennix.exe", L"Larkway.exe", L"Dovrin.exe", L"launch.exe"};
// Class, verb key, the words the user reads, the program it starts.
struct Verb {
    const wchar_t* itemClass;
    const wchar_t* key;
    const wchar_t* text;
    const wchar_t* program;
};
const Verb kVerbs[] = {
    {L"*", L"Corvale.Fennix", L"Properties (Fennix)", L"Fennix.exe"},
    {L"Directory", L"Corvale.Fennix", L"Properties (Fennix)", L"Fennix.exe"},
    {L"Drive", L"Corvale.Fennix", L"Properties (Fennix)", L"Fennix.exe"},
    {L"*", L"Corvale.Larkway", L"Copy or move to a folder (Larkway)", L"Larkway.exe"},
    {L"Directory", L"Corvale.Larkway", L"Copy or move to a folder (Larkway)", L"Larkway.exe"},
    {L"*", L"Corvale.Dovrin", L"Drive figures (Dovrin)", L"Dovrin.exe"},
    {L"Directory", L"Corvale.Dovrin", L"Drive figures (Dovrin)", L"Dovrin.exe"},
    {L"Drive", L"Corvale.Dovrin", L"Drive figures (Dovrin)", L"Dovrin.exe"},
};
// Keys the verbs hang under: the uninstall takes them away only if it made them.
const wchar_t* const kClassKeys[] = {L"Software\\Classes\\*",         L"Software\\Classes\\*\\shell",
                                     L"Software\\Classes\\Directory", L"Software\\Classes\\Directory\\shell",
                                     L"Software\\Classes\\Drive",     L"Software\\Classes\\Drive\\shell",
                                     L"Software\\Corvale"};

std::wstring KnownFolder(REFKNOWNFOLDERID id)
{
    wchar_t* path = nullptr;
    std::wstring result;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &path)))
        result = path;
    ::CoTaskMemFree(path);
    return result;
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool KeyExists(const std::wstring& key)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(opened);
    return true;
}

std::optional<std::wstring> RegString(const std::wstring& key, const wchar_t* name)
{
    DWORD bytes = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    std::wstring value(bytes / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value.data(), &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    value.resize(::wcsnlen(value.c_str(), value.size()));
    return value;
}

// Starts a command line as the shell starts a program; the process, if it started.
fx::CKernelHandle Start(std::wstring commandLine)
{
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return fx::CKernelHandle();
    ::CloseHandle(pi.hThread);
    return fx::CKernelHandle(pi.hProcess);
}

DWORD RunAndWait(const std::wstring& commandLine, DWORD limitMs = 60000)
{
    fx::CKernelHandle process = Start(commandLine);
    DWORD code = 99;
    if (process && ::WaitForSingleObject(process.Get(), limitMs) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.Get(), &code);
    return code;
}

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

// A visible top-level window of the class whose title is the given one.
HWND VisibleWindow(const wchar_t* className, const wchar_t* title)
{
    HWND hwnd = ::FindWindowW(className, title);
    return hwnd && ::IsWindowVisible(hwnd) ? hwnd : nullptr;
}

// Closes a program by its window and waits for its process to end.
bool CloseProgram(HWND window)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    fx::CKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    return process && ::WaitForSingleObject(process.Get(), 20000) == WAIT_OBJECT_0;
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

    static bool Install() { return RunAndWait(L"\"" + WindowsPath(INSTALLER_EXE) + L"\" /S") == 0; }

    // Runs the uninstaller silently, if there is an installation, and waits
    // until it is done: it carries on from a copy of itself and takes the
    // entry away last.
    static bool Uninstall(const std::wstring& options = L"")
    {
        const std::optional<std::wstring> quiet = RegString(kUninstallKey, L"QuietUninstallString");
        if (!quiet)
            return true;
        const std::wstring folder = RegString(kUninstallKey, L"InstallLocation").value_or(L"");
        fx::CKernelHandle uninstaller = Start(*quiet + L" " + options);
        return uninstaller && PollUntil([&folder] { return !KeyExists(kUninstallKey) && !Exists(folder); }, 30000);
    }

    const std::wstring m_folder = KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Corvale";
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
        {m_sendTo + L"\\Fennix (properties).lnk", L"Fennix.exe"},
        {m_sendTo + L"\\Larkway (copy or move to a folder).lnk", L"Larkway.exe"},
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
        EXPECT_EQ(RegString(key + L"\\command", nullptr),
                  L"\"" + launcher + L"\" \"" + m_folder + L"\\" + verb.program + L"\" \"%1\"");
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

// The shell starts a static verb once per selected item: two invocations,
// one program with both items.
TEST_F(InstallerTest, AVerbRunAsTheShellRunsItGivesTheProgramTheWholeSelection)
{
    ASSERT_TRUE(Install());
    TempDir temp;
    const std::wstring a = temp.MakeFile(L"first.txt", "one"), b = temp.MakeFile(L"second file.txt", "two");
    const std::optional<std::wstring> command = RegString(L"Software\\Classes\\*\\shell\\Corvale.Fennix\\command", nullptr);
    ASSERT_TRUE(command.has_value());
    auto forItem = [&command](const std::wstring& path) {
        std::wstring line = *command;
        line.replace(line.find(L"%1"), 2, path);
        return line;
    };
    fx::CKernelHandle first = Start(forItem(a));
    fx::CKernelHandle second = Start(forItem(b));
    ASSERT_TRUE(first && second);

    // Several items: Fennix asks what to count first.
    HWND search = nullptr;
    ASSERT_TRUE(PollUntil([&search] { return (search = VisibleWindow(L"#32770", L"Fennix")) != nullptr; }));
    HWND frame = ::FindWindowW(L"fx.Frame", L"Property Sheet");
    ASSERT_NE(frame, nullptr);
    ::PostMessageW(search, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(search, IDOK)));

    // The folder page lists both items, selected.
    HWND sheet = ::GetWindow(frame, GW_CHILD);
    HWND items = nullptr;
    ASSERT_TRUE(PollUntil([&] {
        HWND page = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        items = page ? ::GetDlgItem(page, IDC_SELECTED_ITEMS) : nullptr;
        return items && ::SendMessageW(items, LB_GETCOUNT, 0, 0) > 0;
    }));
    ASSERT_EQ(::SendMessageW(items, LB_GETCOUNT, 0, 0), 2);
    std::vector<std::wstring> names;
    for (int row = 0; row < 2; ++row) {
        wchar_t name[MAX_PATH] = L"";
        if (::SendMessageW(items, LB_GETTEXTLEN, row, 0) < MAX_PATH)
            ::SendMessageW(items, LB_GETTEXT, row, reinterpret_cast<LPARAM>(name));
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"first.txt", L"second file.txt"}));
    EXPECT_EQ(::SendMessageW(items, LB_GETSELCOUNT, 0, 0), 2);
    EXPECT_EQ(ForeignWindowText(::GetDlgItem(::GetParent(items), IDC_FOLDER_HEADING)), L"Multiple Files");
    EXPECT_TRUE(CloseProgram(frame));
    EXPECT_EQ(::WaitForSingleObject(first.Get(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(second.Get(), 10000), WAIT_OBJECT_0);

    // A drive, as the shell quotes it ("C:\"): Dovrin shows that drive.
    const std::optional<std::wstring> drive = RegString(L"Software\\Classes\\Drive\\shell\\Corvale.Dovrin\\command", nullptr);
    ASSERT_TRUE(drive.has_value());
    std::wstring line = *drive;
    line.replace(line.find(L"%1"), 2, L"C:\\");
    fx::CKernelHandle dovrin = Start(line);
    HWND dialog = nullptr;
    ASSERT_TRUE(PollUntil([&dialog] { return (dialog = VisibleWindow(L"#32770", L"Dovrin->Drive C")) != nullptr; }));
    EXPECT_TRUE(CloseProgram(dialog));
}

TEST_F(InstallerTest, UninstallLeavesNothingButLarkwaysSettings)
{
    ASSERT_TRUE(Install());
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"InstallerTest", REG_SZ, L"kept", 10), ERROR_SUCCESS);
    ASSERT_TRUE(Uninstall());

    EXPECT_FALSE(Exists(m_folder));
    EXPECT_TRUE(Exists(KnownFolder(FOLDERID_LocalAppData) + L"\\Programs")); // not ours alone
    EXPECT_FALSE(Exists(m_sendTo + L"\\Fennix (properties).lnk"));
    EXPECT_FALSE(Exists(m_sendTo + L"\\Larkway (copy or move to a folder).lnk"));
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

} // namespace
