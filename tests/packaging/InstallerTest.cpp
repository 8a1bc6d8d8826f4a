// The installer as a user runs it: silently (/S) into this test prefix, what
// it made looked at from outside, and the silent uninstall; then the hand-over
// as Explorer makes it: a data object (the shell's, or a hostile one) dropped
// on the class of a verb or Send To item the installer wrote, and what the
// started program shows. Wine's COM finds classes only under HKLM: a copy of
// the installed ones is put there for the hand-over's run.
#include "Version.h"
#include "common/DropList.h"
#include "framework/Handle.h"
#include "resource.h" // Fennix's
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <prsht.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>
#include <windows.h>
#include <wrl/client.h>

#include <atomic>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace testing_support;
using Microsoft::WRL::ComPtr;

const wchar_t kClasses[] = L"Software\\Classes\\";
const wchar_t kSettingsKey[] = L"Software\\Corvale\\Larkway";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\CorvaleShellUtilities";

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
    ::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened);
    return fx::CRegKey(opened).Get() != nullptr;
}

std::optional<std::wstring> RegString(const std::wstring& key, const wchar_t* name)
{
    wchar_t value[4096] = L"";
    DWORD bytes = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

// Runs the installer silently; true when it succeeded.
bool Install()
{
    fx::CKernelHandle installer = StartProcess(L"\"" + WindowsPath(INSTALLER_EXE) + L"\" /S");
    DWORD code = 99;
    if (installer && ::WaitForSingleObject(installer.Get(), 60000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(installer.Get(), &code);
    return code == 0;
}

// Runs the uninstaller silently, if there is an installation, and waits until
// it is done: it carries on from a copy of itself and takes the entry away last.
bool Uninstall(const std::wstring& options = L"")
{
    const std::optional<std::wstring> quiet = RegString(kUninstallKey, L"QuietUninstallString");
    if (!quiet)
        return true;
    const std::wstring folder = RegString(kUninstallKey, L"InstallLocation").value_or(L"");
    fx::CKernelHandle uninstaller = StartProcess(*quiet + L" " + options);
    return uninstaller &&
           PollUntil([&folder] { return !KeyExists(kUninstallKey) && !Exists(folder); }, 30000);
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

const std::wstring kFennixClass = L"{162D8A16-CBCC-4299-AAEB-20CD97E3486C}";
const std::wstring kLarkwayClass = L"{2F849E5F-F161-4BDA-A6BF-36C3E4A87204}";
const std::wstring kDovrinClass = L"{95CC3F77-58B2-4D06-9E30-037412E5D1B8}";
// Each program's verb: the words the user reads, its class, the item classes
// it is on; its Send To item, whose private type drops on the class.
const struct {
    std::wstring program, text, clsid;
    std::vector<std::wstring> itemClasses;
    std::wstring sendTo;
} kVerbs[] = {
    {L"Fennix", L"Properties (Fennix)", kFennixClass, {L"*", L"Directory", L"Drive"},
     L"Fennix (properties).corvale-fennix"},
    {L"Larkway", L"Copy or move to a folder (Larkway)", kLarkwayClass, {L"*", L"Directory"},
     L"Larkway (copy or move to a folder).corvale-larkway"},
    {L"Dovrin", L"Drive figures (Dovrin)", kDovrinClass, {L"*", L"Directory", L"Drive"}, L""},
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
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
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
    std::vector<BYTE> info(::GetFileVersionInfoSizeW(file.c_str(), nullptr) + 1);
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
    const std::wstring folder = KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Corvale";
    const std::wstring sendTo = KnownFolder(FOLDERID_SendTo);
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
            for (const std::wstring& itemClass : verb.itemClasses) {
                const std::wstring key = kClasses + itemClass + L"\\shell\\Corvale." + verb.program;
                SCOPED_TRACE(key);
                const bool strangers = stranger && key == kStrangersVerb;
                EXPECT_EQ(RegString(key, nullptr), strangers ? std::nullopt : std::optional(verb.text));
                EXPECT_EQ(RegString(key + L"\\DropTarget", L"CLSID"), strangers ? kStranger : verb.clsid);
                if (strangers)
                    continue;
                EXPECT_EQ(RegString(key, L"MultiSelectModel"), L"Player");
                EXPECT_EQ(RegString(key, L"Icon"), folder + L"\\" + verb.program + L".exe,0");
                EXPECT_FALSE(KeyExists(key + L"\\command")); // no process per item
            }
            EXPECT_EQ(RegString(kClasses + (L"CLSID\\" + verb.clsid) + L"\\LocalServer32", nullptr),
                      L"\"" + launcher + L"\"");
            if (verb.sendTo.empty())
                continue;
            EXPECT_TRUE(Exists(sendTo + L"\\" + verb.sendTo)) << verb.sendTo;
            const std::wstring type = RegString(kClasses + verb.sendTo.substr(verb.sendTo.find(L'.')), nullptr).value_or(L"");
            EXPECT_EQ(RegString(kClasses + type + L"\\shellex\\DropHandler", nullptr), verb.clsid) << verb.sendTo;
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
        EXPECT_FALSE(KeyExists(L"Software\\Classes\\Corvale.Fennix.SendTo"));
        EXPECT_TRUE(Exists(sendTo));
        EXPECT_FALSE(Exists(menu));
        for (const auto& verb : kVerbs) {
            EXPECT_FALSE(KeyExists(kClasses + (L"CLSID\\" + verb.clsid))) << verb.clsid;
            if (!verb.sendTo.empty()) {
                EXPECT_FALSE(Exists(sendTo + L"\\" + verb.sendTo)) << verb.sendTo;
                EXPECT_FALSE(KeyExists(kClasses + verb.sendTo.substr(verb.sendTo.find(L'.')))) << verb.sendTo;
            }
            for (const std::wstring& itemClass : verb.itemClasses) {
                const std::wstring key = kClasses + itemClass + L"\\shell\\Corvale." + verb.program;
                EXPECT_EQ(KeyExists(key), stranger && key == kStrangersVerb) << key;
            }
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

// A class the installer registers (the installer test reads it from its verbs).
CLSID ClassOf(const std::wstring& text)
{
    CLSID clsid = CLSID_NULL;
    ::CLSIDFromString(text.c_str(), &clsid);
    return clsid;
}

// What Explorer does with a verb's DropTarget or a Send To item's drop
// handler (loaded first with the item's path). The Drop's answer.
HRESULT DropOn(const CLSID& clsid, IDataObject* data, const std::wstring& sendToItem = L"")
{
    ComPtr<IDropTarget> target;
    HRESULT result = ::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDropTarget, &target);
    if (FAILED(result))
        return result;
    ::IUnknown_SetSite(target.Get(), nullptr);
    if (!sendToItem.empty()) {
        ComPtr<IPersistFile> file;
        if (FAILED(result = target.As(&file)) || FAILED(result = file->Load(sendToItem.c_str(), STGM_READ)))
            return result;
    }
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    if (FAILED(result = target->DragEnter(data, MK_LBUTTON, POINTL{}, &effect)))
        return result;
    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    return target->Drop(data, MK_LBUTTON, POINTL{}, &effect);
}

// The data object the shell makes for items of one folder (or drives), as
// Explorer asks their folder for it.
ComPtr<IDataObject> ShellSelection(const std::vector<std::wstring>& paths)
{
    std::vector<fx::CCoTaskMemory<PIDLIST_ABSOLUTE>> items;
    std::vector<PCUITEMID_CHILD> children;
    for (const std::wstring& path : paths) {
        PIDLIST_ABSOLUTE item = nullptr;
        if (SUCCEEDED(::SHParseDisplayName(path.c_str(), nullptr, &item, 0, nullptr)))
            children.push_back(::ILFindLastID(items.emplace_back(item).Get()));
    }
    ComPtr<IShellFolder> parent;
    ComPtr<IDataObject> data;
    if (items.size() == paths.size() &&
        SUCCEEDED(::SHBindToParent(items[0].Get(), IID_IShellFolder, &parent, nullptr)))
        parent->GetUIObjectOf(nullptr, static_cast<UINT>(children.size()), children.data(), IID_IDataObject, nullptr,
                              &data);
    return data;
}

// The launchers running. Wine's COM does not suspend a
// server's classes when its last object goes (Windows does), so a class
// asked for while that server ends fails there: each hand-over here waits
// for the last one's server to end.
std::vector<DWORD> Launchers()
{
    std::vector<DWORD> ids;
    fx::CKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W process{};
    process.dwSize = sizeof(process);
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &process); more; more = ::Process32NextW(snapshot.Get(), &process))
        if (::lstrcmpiW(process.szExeFile, L"launch.exe") == 0)
            ids.push_back(process.th32ProcessID);
    return ids;
}
bool LaunchersEnded() { return PollUntil([] { return Launchers().empty(); }, 30000); }

// A data object whoever calls Drop may hand over: one whose GetData answers
// with any bytes, with an error, or not at all (it holds the call until the
// launcher has given up on it). It lives on the test's stack.
class HostileData final : public IDataObject {
public:
    explicit HostileData(HRESULT answer, std::vector<BYTE> bytes = {}) : m_answer(answer), m_bytes(std::move(bytes)) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        *object = iid == IID_IUnknown || iid == IID_IDataObject ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetData(FORMATETC*, STGMEDIUM* medium) override
    {
        if (m_answer == E_PENDING)
            PollUntil([] { return ::FindWindowW(L"#32770", L"Corvale launcher") != nullptr; }, 30000);
        if (m_answer != S_OK)
            return m_answer == E_PENDING ? E_FAIL : m_answer;
        *medium = STGMEDIUM{};
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, m_bytes.size());
        std::memcpy(fx::CGlobalLock<BYTE>(medium->hGlobal).Get(), m_bytes.data(), m_bytes.size());
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC*) override { return m_answer == DV_E_FORMATETC ? m_answer : S_OK; }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    const HRESULT m_answer;
    const std::vector<BYTE> m_bytes;
};

// Dovrin's dialog, on whichever drive.
HWND Dovrin()
{
    for (HWND window = nullptr; (window = ::FindWindowExW(nullptr, window, L"#32770", nullptr));)
        if (::IsWindowVisible(window) && ForeignWindowText(window).rfind(L"Dovrin->Drive ", 0) == 0)
            return window;
    return nullptr;
}

// Fennix given several items: starts the search its dialog offers and
// reads the folder page's list of the selection.
std::vector<std::wstring> FennixSelection()
{
    HWND search = nullptr;
    if (!PollUntil([&search] { return (search = VisibleWindow(L"#32770", L"Fennix")) != nullptr; }, 30000))
        return {};
    ::PostMessageW(search, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(search, IDOK)));
    HWND items = nullptr;
    if (!PollUntil([&] {
            HWND sheet = ::GetWindow(::FindWindowW(L"fx.Frame", L"Property Sheet"), GW_CHILD);
            HWND page = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
            items = page ? ::GetDlgItem(page, IDC_SELECTED_ITEMS) : nullptr;
            return items && ::SendMessageW(items, LB_GETCOUNT, 0, 0) > 0;
        }, 30000))
        return {};
    std::vector<std::wstring> rows(static_cast<size_t>(::SendMessageW(items, LB_GETCOUNT, 0, 0)));
    for (size_t row = 0; row < rows.size(); ++row) {
        rows[row].resize(static_cast<size_t>(::SendMessageW(items, LB_GETTEXTLEN, row, 0)));
        ::SendMessageW(items, LB_GETTEXT, row, reinterpret_cast<LPARAM>(rows[row].data()));
    }
    return rows;
}

// The launcher's message, read and answered; empty when none came.
std::wstring LauncherMessage()
{
    HWND box = nullptr;
    if (!PollUntil([&box] { return (box = VisibleWindow(L"#32770", L"Corvale launcher")) != nullptr; }, 30000))
        return L"";
    const std::wstring text = ForeignWindowText(::GetDlgItem(box, 0xFFFF));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    PollUntil([] { return !::FindWindowW(L"#32770", L"Corvale launcher"); });
    return text;
}

class HandOverTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_TRUE(Uninstall() && Install());
        for (const auto& verb : kVerbs) {
            const std::wstring key = L"Software\\Classes\\CLSID\\" + verb.clsid;
            fx::CRegKey copy;
            ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                        copy.Put(), nullptr),
                      0);
            EXPECT_EQ(::RegCopyTreeW(HKEY_CURRENT_USER, key.c_str(), copy.Get()), 0);
        }
    }
    static void TearDownTestSuite()
    {
        for (const auto& verb : kVerbs)
            ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\CLSID\\" + verb.clsid).c_str());
        // A launcher started for a hand-over that another one took waits a
        // minute for its own: it is ended, not waited for, before the uninstall.
        for (DWORD id : Launchers()) {
            const fx::CKernelHandle launcher(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
            if (launcher && ::TerminateProcess(launcher.Get(), 1))
                ::WaitForSingleObject(launcher.Get(), 5000);
        }
        Uninstall();
        ::CoUninitialize();
    }
    void TearDown() override
    {
        for (int i = 0; i < 3; ++i)
            for (HWND window : {VisibleWindow(L"fx.Frame", L"Property Sheet"), Dovrin()})
                if (window)
                    CloseProgram(window);
    }
    TempDir m_temp;
};

// One Drop on a Send To item reaches one run of the program with every item, in
// order: 300 names of 120 characters, more than a command line holds.
TEST_F(HandOverTest, TheWholeSelectionReachesOneRun)
{
    const std::wstring folder = m_temp.MakeFolder(L"selection");
    std::vector<std::wstring> paths, names;
    for (size_t i = 0; i < 300; ++i) {
        wchar_t number[32];
        ::swprintf(number, 32, L"item %05zu ", i);
        names.push_back(number + std::wstring(111, L'x') + L".txt");
        paths.push_back(m_temp.MakeFile(L"selection\\" + names.back()));
    }
    const ComPtr<IDataObject> selection = ShellSelection(paths);
    ASSERT_NE(selection.Get(), nullptr);
    const std::wstring item = KnownFolder(FOLDERID_SendTo) + L"\\Fennix (properties).corvale-fennix";
    ASSERT_EQ(DropOn(ClassOf(kFennixClass), selection.Get(), item), S_OK);
    EXPECT_EQ(FennixSelection(), names);
    ASSERT_TRUE(CloseProgram(VisibleWindow(L"fx.Frame", L"Property Sheet")));
}

// A data object that lies gets a message and starts nothing, or starts the
// program with what it could use: Dovrin on the drive of the first path, or
// on the drive it runs on when the path names none. Never a crash or a hang.
TEST_F(HandOverTest, AHostileDataObjectGetsAMessageOrNoSelection)
{
    std::vector<std::wstring> many;
    for (int i = 0; i < 100000; ++i)
        many.push_back(L"H:\\nowhere\\item " + std::to_wstring(i));
    struct Case {
        const char* what;
        HostileData data;
        const wchar_t* message; // what the launcher says, when it starts nothing
        bool onH;               // Dovrin shows drive H, else the one it runs on
    } cases[] = {
        {"no file list", HostileData(DV_E_FORMATETC), L"the selection held no list of files.", false},
        {"GetData fails", HostileData(E_FAIL), L"the selection held no list of files.", false},
        {"GetData does not return", HostileData(E_PENDING), L"the selection did not arrive within 10 seconds.", false},
        {"no items", HostileData(S_OK, DropFilesBlock(sizeof(DROPFILES), true, {0, 0, 0, 0})),
         L"the selection is empty.", false},
        {"a path of 40,000 characters", HostileData(S_OK, MakeDropFiles({L"H:\\" + std::wstring(40000, L'x')})),
         nullptr, false},
        {"100,000 items", HostileData(S_OK, MakeDropFiles(many)), nullptr, true},
    };
    for (Case& test : cases) {
        SCOPED_TRACE(test.what);
        ASSERT_TRUE(LaunchersEnded());
        EXPECT_EQ(DropOn(ClassOf(kDovrinClass), &test.data), S_OK);
        if (test.message) {
            EXPECT_EQ(LauncherMessage(), L"Nothing was handed to Dovrin: " + std::wstring(test.message));
            EXPECT_EQ(Dovrin(), nullptr);
            continue;
        }
        HWND dovrin = nullptr;
        ASSERT_TRUE(PollUntil([&] { return (dovrin = Dovrin()) != nullptr; }, 30000));
        EXPECT_EQ(ForeignWindowText(dovrin) == L"Dovrin->Drive H", test.onH) << ForeignWindowText(dovrin);
        EXPECT_TRUE(CloseProgram(dovrin));
    }
}

// Two selections handed at the same moment: two runs, each with its own. The
// hand-over leaves what the user copied on the clipboard.
TEST_F(HandOverTest, TwoHandOversAtOnceEachStartTheirOwnRunAndLeaveTheClipboard)
{
    PutTextOnClipboard(L"copied text");
    const CLSID dovrin = ClassOf(kDovrinClass);
    ASSERT_TRUE(LaunchersEnded());
    std::atomic<int> dropped{0};
    auto handOver = [&](const wchar_t* root) {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        {
            const ComPtr<IDataObject> drive = ShellSelection({root});
            if (drive && DropOn(dovrin, drive.Get()) == S_OK)
                ++dropped;
        }
        ::CoUninitialize();
    };
    std::thread first(handOver, L"C:\\"), second(handOver, L"H:\\");
    first.join();
    second.join();
    EXPECT_EQ(dropped, 2);
    for (const wchar_t* title : {L"Dovrin->Drive C", L"Dovrin->Drive H"})
        EXPECT_TRUE(PollUntil([title] { return VisibleWindow(L"#32770", title) != nullptr; }, 30000)) << title;
    EXPECT_EQ(ClipboardText(), L"copied text");
}

} // namespace
