// handover <old-launch.exe> [runs]
// Measures the hand-over from the shell's Drop to the program's first
// visible window: Fennix handed 1, 100, 1,000 and 10,000 items through its
// class (the launcher started by COM, a cold start every time, as the shell
// meets it), next to the route static verbs took before, for 100 items: one
// launcher per item, started in a quick row as Explorer starts them, which
// gathered the selection and handed it over on the clipboard (an earlier
// build's launch.exe, given). The routes take turns in every round, so a slow
// patch of a shared machine falls on all of them alike. Prints the medians
// and their ratios to the old route.
//
// The class is registered for the run under HKCU and HKLM (Wine's COM reads
// only HKLM) for a copy of launch.exe and Fennix.exe in a folder of its own,
// where the launcher looks for the programs it serves; both go afterwards.
#include "bench/BenchClock.h"
#include "bench/WinePaths.h"
#include "common/DropList.h"
#include "framework/Handle.h"
#include "launcher/DropTargetServer.h"

#include <ole2.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

using bench::Median;
using bench::Milliseconds;
using bench::Now;
using bench::WindowsPath;

const DWORD kWindowLimitMs = 60000;

// A data object holding a CF_HDROP list, as the shell hands a selection.
class CFileList final : public IDataObject {
public:
    explicit CFileList(const std::vector<std::wstring>& paths) : m_block(MakeDropFiles(paths)) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        *object = iid == IID_IUnknown || iid == IID_IDataObject ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL))
            return DV_E_FORMATETC;
        fx::CGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, m_block.size()));
        if (!memory)
            return E_OUTOFMEMORY;
        std::memcpy(fx::CGlobalLock<BYTE>(memory.Get()).Get(), m_block.data(), m_block.size());
        *medium = STGMEDIUM{};
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory.Release();
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override { return format->cfFormat == CF_HDROP ? S_OK : S_FALSE; }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    const std::vector<BYTE> m_block;
};

// Fennix's frame, once visible.
HWND FennixShown()
{
    HWND frame = ::FindWindowW(L"fx.Frame", L"Property Sheet");
    return frame && ::IsWindowVisible(frame) ? frame : nullptr;
}

// Waits for Fennix's window, answering COM calls meanwhile; the time it
// showed, or a negative number when it never did.
double UntilShown(LONGLONG start)
{
    const ULONGLONG end = ::GetTickCount64() + kWindowLimitMs;
    while (!FennixShown()) {
        if (::GetTickCount64() > end)
            return -1;
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
        ::Sleep(1);
    }
    return Milliseconds(Now() - start);
}

void CloseFennix()
{
    HWND frame = FennixShown();
    DWORD pid = 0;
    ::GetWindowThreadProcessId(frame, &pid);
    fx::CKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    if (process)
        ::WaitForSingleObject(process.Get(), 20000);
}

double ThroughTheClass(const CLSID& clsid, const std::vector<std::wstring>& paths)
{
    CFileList data(paths);
    const LONGLONG start = Now();
    IDropTarget* target = nullptr;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDropTarget,
                                  reinterpret_cast<void**>(&target))))
        return -1;
    DWORD effect = DROPEFFECT_COPY;
    target->DragEnter(&data, MK_LBUTTON, POINTL{}, &effect);
    target->Drop(&data, MK_LBUTTON, POINTL{}, &effect);
    target->Release();
    const double shown = UntilShown(start);
    CloseFennix();
    return shown;
}

double OneLauncherPerItem(const std::wstring& oldLauncher, const std::wstring& fennix,
                          const std::vector<std::wstring>& paths)
{
    std::vector<fx::CKernelHandle> launchers;
    const LONGLONG start = Now();
    for (const std::wstring& path : paths) {
        std::wstring line = L"\"" + oldLauncher + L"\" \"" + fennix + L"\" \"" + path + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
            ::CloseHandle(started.hThread);
            launchers.emplace_back(started.hProcess);
        }
    }
    const double shown = UntilShown(start);
    CloseFennix();
    for (const fx::CKernelHandle& launcher : launchers)
        ::WaitForSingleObject(launcher.Get(), 60000);
    return shown;
}

// The class registered for the run, and taken away again.
class CRegistration {
public:
    CRegistration(const CLSID& clsid, const std::wstring& launcher)
    {
        wchar_t name[64] = L"";
        ::StringFromGUID2(clsid, name, 64);
        m_key = std::wstring(L"Software\\Classes\\CLSID\\") + name;
        const std::wstring command = L"\"" + launcher + L"\"";
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            ::RegSetKeyValueW(root, (m_key + L"\\LocalServer32").c_str(), nullptr, REG_SZ, command.c_str(),
                              static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }
    ~CRegistration()
    {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            ::RegDeleteTreeW(root, m_key.c_str());
    }
    CRegistration(const CRegistration&) = delete;
    CRegistration& operator=(const CRegistration&) = delete;

private:
    std::wstring m_key;
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: handover <old-launch.exe> [runs]\n");
        return 2;
    }
    const std::wstring oldLauncher = argv[1];
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    wchar_t temp[MAX_PATH] = L"";
    ::GetTempPathW(MAX_PATH, temp);
    const std::filesystem::path folder = std::filesystem::path(temp) / L"handover-bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / L"items");
    const std::wstring launcher = (folder / L"launch.exe").wstring(), fennix = (folder / L"Fennix.exe").wstring();
    ::CopyFileW(WindowsPath(LAUNCH_EXE).c_str(), launcher.c_str(), FALSE);
    ::CopyFileW(WindowsPath(FENNIX_EXE).c_str(), fennix.c_str(), FALSE);
    std::vector<std::wstring> all;
    for (int i = 0; i < 10000; ++i) {
        all.push_back((folder / L"items" / (L"item " + std::to_wstring(i) + L".txt")).wstring());
        fx::CFileHandle(::CreateFileW(all.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    const CLSID& fennixClass = launcher::kProgramClasses[0].clsid;
    {
        const CRegistration registration(fennixClass, launcher);
        const size_t sizes[] = {1, 100, 1000, 10000};
        std::map<size_t, std::vector<double>> drop;
        std::vector<double> perItem;
        for (int run = 0; run < runs; ++run) {
            for (size_t size : sizes)
                drop[size].push_back(ThroughTheClass(fennixClass, {all.begin(), all.begin() + size}));
            perItem.push_back(OneLauncherPerItem(oldLauncher, fennix, {all.begin(), all.begin() + 100}));
        }
        const double old = Median(perItem);
        std::wprintf(L"From Drop to Fennix's first visible window, median of %d runs:\n", runs);
        std::wprintf(L"  one launcher per item (before), 100 items: %8.1f ms\n", old);
        for (size_t size : sizes) {
            const double median = Median(drop[size]);
            std::wprintf(L"  one Drop on the class, %5zu items:       %8.1f ms   %.2fx the old route\n", size, median,
                         median / old);
        }
    }
    ::CoUninitialize();
    std::filesystem::remove_all(folder);
    return 0;
}
