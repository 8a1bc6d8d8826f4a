// The hand-over as the shell makes it: like Explorer, each test reads the class
// of a verb or Send To item from the registry the installer wrote, creates it,
// drops a data object on it (the shell's for real files, or a hostile one),
// and looks at what the started program shows. Wine's COM finds classes only
// under HKLM\Software\Classes (Windows merges the per-user ones the
// installer writes): a copy of the installed classes is put there for the run.
#include "resource.h" // Fennix's

#include "common/DropList.h"
#include "tests/packaging/Installation.h"

#include <gtest/gtest.h>
#include <prsht.h>
#include <shlwapi.h>
#include <tlhelp32.h>
#include <wrl/client.h>

#include <atomic>
#include <cstring>
#include <map>
#include <thread>

namespace {

using namespace testing_support;
using namespace installation;
using Microsoft::WRL::ComPtr;

const wchar_t kClasses[] = L"Software\\Classes\\";

CLSID ClassNamed(const std::optional<std::wstring>& text)
{
    CLSID clsid = CLSID_NULL;
    if (text)
        ::CLSIDFromString(text->c_str(), &clsid);
    return clsid;
}

// The class of a context-menu verb, as the shell finds it.
CLSID VerbClass(const wchar_t* itemClass, const wchar_t* verb)
{
    return ClassNamed(RegString(kClasses + std::wstring(itemClass) + L"\\shell\\" + verb + L"\\DropTarget", L"CLSID"));
}

// The drop handler of a Send To item: its extension's type's.
CLSID SendToClass(const std::wstring& item)
{
    const std::wstring extension = item.substr(item.find_last_of(L'.'));
    const std::wstring type = RegString(kClasses + extension, nullptr).value_or(L"");
    return ClassNamed(RegString(kClasses + type + L"\\shellex\\DropHandler", nullptr));
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

// Whether a launcher is still running. Wine's COM does not suspend a
// server's classes when its last object goes (Windows does), so a class
// asked for while that server ends fails there: each hand-over here waits
// for the last one's server to end.
bool LaunchersEnded()
{
    return PollUntil([] {
        fx::CKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        PROCESSENTRY32W process{};
        process.dwSize = sizeof(process);
        for (BOOL more = ::Process32FirstW(snapshot.Get(), &process); more; more = ::Process32NextW(snapshot.Get(), &process))
            if (::lstrcmpiW(process.szExeFile, L"launch.exe") == 0)
                return false;
        return true;
    }, 30000);
}

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

// Dovrin's dialog on a drive.
HWND Dovrin(wchar_t drive)
{
    return VisibleWindow(L"#32770", (L"Dovrin->Drive " + std::wstring(1, drive)).c_str());
}

HWND Fennix()
{
    return VisibleWindow(L"fx.Frame", L"Property Sheet");
}

// Fennix given several items: starts the search its dialog offers and
// reads the folder page's list of the selection.
std::vector<std::wstring> FennixSelection()
{
    HWND search = nullptr;
    if (!PollUntil([&search] { return (search = VisibleWindow(L"#32770", L"Fennix")) != nullptr; }, 30000))
        return {};
    ::PostMessageW(search, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(search, IDOK)));
    HWND sheet = nullptr, items = nullptr;
    if (!PollUntil([&] {
            sheet = ::GetWindow(::FindWindowW(L"fx.Frame", L"Property Sheet"), GW_CHILD);
            HWND page = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
            items = page ? ::GetDlgItem(page, IDC_SELECTED_ITEMS) : nullptr;
            return items && ::SendMessageW(items, LB_GETCOUNT, 0, 0) > 0;
        }, 30000))
        return {};
    std::vector<std::wstring> rows;
    const LRESULT count = ::SendMessageW(items, LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row) {
        wchar_t name[MAX_PATH] = L"";
        if (::SendMessageW(items, LB_GETTEXTLEN, row, 0) < MAX_PATH)
            ::SendMessageW(items, LB_GETTEXT, row, reinterpret_cast<LPARAM>(name));
        rows.push_back(name);
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

// The clipboard's formats and their bytes.
std::map<UINT, std::vector<BYTE>> ClipboardContents()
{
    std::map<UINT, std::vector<BYTE>> contents;
    fx::CClipboard clipboard;
    for (UINT format = 0; clipboard.IsOpen() && (format = ::EnumClipboardFormats(format)) != 0;) {
        HGLOBAL data = ::GetClipboardData(format);
        fx::CGlobalLock<BYTE> lock(data);
        if (lock.Get())
            contents[format].assign(lock.Get(), lock.Get() + ::GlobalSize(data));
    }
    return contents;
}

class HandOverTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_TRUE(Uninstall() && Install());
        HKEY classes = nullptr, copy = nullptr;
        ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Classes\\CLSID", 0, KEY_READ, &classes), 0);
        for (const wchar_t* verb : kVerbs) {
            ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, MachineCopy(verb).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                        nullptr, &copy, nullptr),
                      0);
            EXPECT_EQ(::RegCopyTreeW(classes, MachineCopy(verb).substr(23).c_str(), copy), 0);
            ::RegCloseKey(copy);
        }
        ::RegCloseKey(classes);
    }
    static void TearDownTestSuite()
    {
        for (const wchar_t* verb : kVerbs)
            ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, MachineCopy(verb).c_str());
        Uninstall();
        ::CoUninitialize();
    }
    static constexpr const wchar_t* kVerbs[] = {L"Corvale.Fennix", L"Corvale.Larkway", L"Corvale.Dovrin"};
    // Where the class of a verb is copied under HKLM: "Software\\Classes\\CLSID\\" and the class.
    static std::wstring MachineCopy(const wchar_t* verb)
    {
        wchar_t name[64] = L"";
        ::StringFromGUID2(VerbClass(L"*", verb), name, 64);
        return L"Software\\Classes\\CLSID\\" + std::wstring(name);
    }
    void TearDown() override
    {
        for (int i = 0; i < 3; ++i)
            for (HWND window : {Fennix(), Dovrin(L'C'), Dovrin(L'H')})
                if (window)
                    CloseProgram(window);
    }

    TempDir m_temp;
};

// However many items, one Drop on a Send To item reaches one run of the
// program with all of them, in the selection's order: here 300 names of 120
// characters, more than a command line's 32,767 characters hold. Larger
// selections are the benchmark's; the shell's own data object takes seconds
// per thousand items under Wine.
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
    ASSERT_EQ(DropOn(SendToClass(item), selection.Get(), item), S_OK);
    EXPECT_EQ(FennixSelection(), names);
    ASSERT_TRUE(CloseProgram(Fennix()));
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
        bool onH;               // else Dovrin shows drive H, or C, where it runs
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
        EXPECT_EQ(DropOn(VerbClass(L"*", L"Corvale.Dovrin"), &test.data), S_OK);
        if (test.message) {
            EXPECT_EQ(LauncherMessage(), L"Nothing was handed to Dovrin: " + std::wstring(test.message));
            EXPECT_FALSE(Dovrin(L'C') || Dovrin(L'H'));
            continue;
        }
        HWND dovrin = nullptr;
        ASSERT_TRUE(PollUntil([&] { return (dovrin = Dovrin(test.onH ? L'H' : L'C')) != nullptr; }, 30000));
        EXPECT_TRUE(CloseProgram(dovrin));
    }
}

// Two selections handed at the same moment: two runs, each with its own. The
// hand-over never opens the clipboard: what the user copied is there, byte
// for byte, while the programs run and after they have ended.
TEST_F(HandOverTest, TwoHandOversAtOnceEachStartTheirOwnRunAndLeaveTheClipboard)
{
    // An owner, without which the clipboard refuses SetClipboardData.
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    {
        fx::CClipboard clipboard(owner);
        ASSERT_TRUE(clipboard.IsOpen());
        ::EmptyClipboard();
        const std::pair<UINT, std::string> copied[] = {
            {CF_TEXT, "copied text"},
            {::RegisterClipboardFormatW(L"HTML Format"), "Version:0.9\r\n<b>copied</b>"},
            {::RegisterClipboardFormatW(L"Corvale test private"), std::string("\x01\x02\x00\x03", 4)}};
        for (const auto& [format, bytes] : copied) {
            HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
            std::memcpy(fx::CGlobalLock<char>(memory).Get(), bytes.c_str(), bytes.size() + 1);
            ::SetClipboardData(format, memory);
        }
    }
    const std::map<UINT, std::vector<BYTE>> before = ClipboardContents();
    ASSERT_GE(before.size(), 3u);
    const CLSID dovrin = VerbClass(L"Drive", L"Corvale.Dovrin");
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
    std::vector<HWND> windows;
    for (const wchar_t* title : {L"Dovrin->Drive C", L"Dovrin->Drive H"}) {
        HWND window = nullptr;
        EXPECT_TRUE(PollUntil([&] { return (window = VisibleWindow(L"#32770", title)) != nullptr; }, 30000)) << title;
        windows.push_back(window);
    }
    EXPECT_EQ(ClipboardContents(), before);
    for (HWND window : windows) {
        if (window) {
            EXPECT_TRUE(CloseProgram(window));
        }
    }
    EXPECT_EQ(ClipboardContents(), before);
    ::DestroyWindow(owner);
}

} // namespace
