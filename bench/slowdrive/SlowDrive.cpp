// slowdrive <normal root> <slow root> <slow switch> [runs]
// What the programs do with a drive that answers every call after a second
// (bench/slowdrive.sh mounts it), next to the same on a normal drive holding
// the same files. Each drive holds "tree\" (a few folders and files). Per
// drive and scenario, the medians of the runs:
//   first window  from CreateProcessW to the program's window visible;
//   longest wait  the longest a message sent to that window waited for its
//                 answer (SendMessageTimeout of WM_NULL every 10 ms) during
//                 the work on the drive, 3 s from the moment it began;
//   exit          from WM_CLOSE posted to that window (the user closing it)
//                 to the end of the process; a program still running after
//                 30 s is stopped and counted as 30,000 ms.
// The scenarios: Dovrin started on C: with the drive merely in its list;
// Dovrin started on the drive; Fennix on a file of the drive (its file page);
// Fennix walking "tree\" on the drive; Larkway
// with the drive's root typed as the destination, key by key (its start-up
// folder picker cancelled first). The selection goes over the clipboard as
// the launcher hands it over. Runs take turns between the two drives, so a
// slow patch of the shared machine falls on both alike. The slow drive is
// slow only while the switch file exists: it is there for the runs on the
// slow drive alone, so that the runs on the normal drive, whose list of
// drives holds the slow one too, meet no slow drive at all.
#include "bench/BenchClock.h"
#include "bench/WinePaths.h"
#include "common/DropList.h"
#include "framework/Handle.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using bench::Median;
using bench::Milliseconds;
using bench::Now;
using bench::WindowsPath;

const DWORD kWindowTimeoutMs = 30000;
const DWORD kExitTimeoutMs = 30000;
const double kWorkMs = 3000;
const int kDestinationEdit = 1000; // Larkway's destination field

void PumpOwnMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
}

bool HandOver(HWND owner, const std::wstring& path)
{
    fx::CGlobalMemory list(MakeDropList({path}));
    fx::CClipboard clipboard(owner);
    if (!list || !clipboard.IsOpen() || !::EmptyClipboard() || !::SetClipboardData(CF_HDROP, list.Get()))
        return false;
    list.Release(); // the clipboard owns it now
    return true;
}

// The first visible window of the thread that the test accepts.
HWND FindWindowOf(DWORD thread, const std::function<bool(HWND)>& accept)
{
    struct Search {
        const std::function<bool(HWND)>* accept;
        HWND found;
    } search{&accept, nullptr};
    ::EnumThreadWindows(
        thread,
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (!::IsWindowVisible(hwnd) || !(*s->accept)(hwnd))
                return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Polls every millisecond (the program may not answer messages meanwhile);
// null when the process ends first or the wait runs out.
HWND WaitForWindow(const PROCESS_INFORMATION& pi, const std::function<bool(HWND)>& accept)
{
    const ULONGLONG end = ::GetTickCount64() + kWindowTimeoutMs;
    while (::GetTickCount64() < end) {
        if (HWND found = FindWindowOf(pi.dwThreadId, accept))
            return found;
        if (::MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 1, QS_ALLINPUT) == WAIT_OBJECT_0)
            return nullptr;
        PumpOwnMessages();
    }
    return nullptr;
}

bool Unowned(HWND hwnd)
{
    return !::GetWindow(hwnd, GW_OWNER);
}

bool HasStatic(HWND hwnd, const wchar_t* text)
{
    return ::FindWindowExW(hwnd, nullptr, L"Static", text) != nullptr;
}

std::wstring TitleOf(HWND hwnd)
{
    wchar_t title[64] = L"";
    ::GetWindowTextW(hwnd, title, 64);
    return title;
}

// The longest wait of a message sent to the window during the work.
double LongestWait(HWND window)
{
    double longest = 0;
    const LONGLONG end = Now();
    while (Milliseconds(Now() - end) < kWorkMs) {
        DWORD_PTR result = 0;
        const LONGLONG sent = Now();
        ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kExitTimeoutMs, &result);
        longest = std::max(longest, Milliseconds(Now() - sent));
        PumpOwnMessages();
        ::Sleep(10);
    }
    return longest;
}

struct Figures {
    std::vector<double> firstWindow, longestWait, exit;
    int failures = 0;
};

struct Scenario {
    const wchar_t* name;
    std::wstring exe;
    // The path handed over, for the drive's root.
    std::function<std::wstring(const std::wstring& root)> selection;
    // Gets from the started program to the window that works on the drive
    // and starts the work; null when it does not get there.
    std::function<HWND(const PROCESS_INFORMATION& pi, const std::wstring& root)> reach;
    bool measureWait;
    Figures figures[2]; // normal drive, slow drive
};

HWND MainWindow(const PROCESS_INFORMATION& pi, const std::wstring&)
{
    return WaitForWindow(pi, Unowned);
}

HWND LarkwayTyping(const PROCESS_INFORMATION& pi, const std::wstring& root)
{
    HWND picker = WaitForWindow(pi, [](HWND hwnd) { return HasStatic(hwnd, L"Select Destination Folder"); });
    if (!picker)
        return nullptr;
    ::PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
    HWND dialog = WaitForWindow(pi, [](HWND hwnd) { return TitleOf(hwnd) == L"Larkway"; });
    HWND edit = dialog ? ::GetDlgItem(dialog, kDestinationEdit) : nullptr;
    if (!edit)
        return nullptr;
    // Typed over whatever the field holds, one key at a time.
    ::PostMessageW(edit, EM_SETSEL, 0, -1);
    for (wchar_t key : root)
        ::PostMessageW(edit, WM_CHAR, key, 0);
    return dialog;
}

void RunOnce(Scenario& scenario, Figures& figures, HWND owner, const std::wstring& root)
{
    if (!HandOver(owner, scenario.selection(root))) {
        ++figures.failures;
        return;
    }
    std::wstring commandLine = L"\"" + scenario.exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    const LONGLONG start = Now();
    if (!::CreateProcessW(scenario.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &si, &pi)) {
        ++figures.failures;
        return;
    }
    fx::CKernelHandle process(pi.hProcess), thread(pi.hThread);
    HWND window = scenario.reach(pi, root);
    if (!window) {
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(pi.hProcess, &code);
        std::fwprintf(stderr, L"slowdrive: %ls on %ls: no window after %.0f ms (%ls)\n", scenario.name, root.c_str(),
                      Milliseconds(Now() - start),
                      code == STILL_ACTIVE ? L"still running" : (L"ended with " + std::to_wstring(code)).c_str());
        ++figures.failures;
        ::TerminateProcess(pi.hProcess, 1);
        ::WaitForSingleObject(pi.hProcess, kExitTimeoutMs);
        return;
    }
    figures.firstWindow.push_back(Milliseconds(Now() - start));
    if (scenario.measureWait)
        figures.longestWait.push_back(LongestWait(window));
    const LONGLONG closed = Now();
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(pi.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(pi.hProcess, 1);
        ::WaitForSingleObject(pi.hProcess, kExitTimeoutMs);
        figures.exit.push_back(kExitTimeoutMs);
        return;
    }
    figures.exit.push_back(Milliseconds(Now() - closed));
}

std::wstring SampleFileOnC()
{
    wchar_t folder[MAX_PATH + 1] = L"";
    ::GetTempPathW(MAX_PATH + 1, folder);
    std::wstring path = std::wstring(folder) + L"slowdrive-bench.txt";
    std::ofstream(std::filesystem::path(path), std::ios::binary) << "A file for the slow-drive benchmark.\r\n";
    return path;
}

void SetSlow(const std::wstring& slowSwitch, bool slow)
{
    if (slow)
        std::ofstream(std::filesystem::path(slowSwitch), std::ios::binary) << "slow\n";
    else
        ::DeleteFileW(slowSwitch.c_str());
}

std::wstring Cell(const std::vector<double>& values)
{
    if (values.empty())
        return L"-";
    wchar_t text[32];
    std::swprintf(text, 32, L"%.0f", Median(values));
    return text;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) {
        std::fwprintf(stderr, L"usage: slowdrive <normal root> <slow root> <slow switch> [runs]\n");
        return 2;
    }
    const std::wstring roots[2] = {argv[1], argv[2]};
    const std::wstring slowSwitch = argv[3];
    const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 3;
    const std::wstring onC = SampleFileOnC();
    const auto inTree = [](const std::wstring& root) { return root + L"tree\\a.txt"; };
    std::vector<Scenario> scenarios{
        {L"Dovrin on C:, drive listed", WindowsPath(DOVRIN_EXE), [&](const std::wstring&) { return onC; },
         MainWindow, false, {}},
        {L"Dovrin on the drive", WindowsPath(DOVRIN_EXE), inTree, MainWindow, true, {}},
        {L"Fennix on a file", WindowsPath(FENNIX_EXE), inTree, MainWindow, true, {}},
        {L"Fennix walking tree\\", WindowsPath(FENNIX_EXE), [](const std::wstring& root) { return root + L"tree"; },
         MainWindow, true, {}},
        {L"Larkway, root typed", WindowsPath(LARKWAY_EXE), [&](const std::wstring&) { return onC; }, LarkwayTyping,
         true, {}},
    };
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"slowdrive bench", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                   nullptr);
    for (int round = 0; round < runs; ++round)
        for (Scenario& scenario : scenarios)
            for (int drive = 0; drive < 2; ++drive) {
                const int which = (drive + round) % 2;
                SetSlow(slowSwitch, which == 1);
                RunOnce(scenario, scenario.figures[which], owner, roots[which]);
            }
    SetSlow(slowSwitch, false);
    ::DeleteFileW(onC.c_str());
    ::DestroyWindow(owner);

    std::wprintf(L"Slow drive: %ls answers every call after 1 s; %ls is a normal drive with the same files.\n"
                 L"Medians of %d runs, in ms. wait: the longest a message sent to the window waited while\n"
                 L"the program worked on the drive (3 s); exit: from WM_CLOSE to the process's end.\n\n",
                 roots[1].c_str(), roots[0].c_str(), runs);
    std::wprintf(L"%-28ls | %8ls %8ls %8ls | %8ls %8ls %8ls\n", L"", L"normal:", L"", L"", L"slow:", L"", L"");
    std::wprintf(L"%-28ls | %8ls %8ls %8ls | %8ls %8ls %8ls\n", L"scenario", L"window", L"wait", L"exit", L"window",
                 L"wait", L"exit");
    int failures = 0;
    for (const Scenario& s : scenarios) {
        std::wprintf(L"%-28ls |", s.name);
        for (const Figures& f : s.figures) {
            std::wprintf(L" %8ls %8ls %8ls |", Cell(f.firstWindow).c_str(), Cell(f.longestWait).c_str(),
                         Cell(f.exit).c_str());
            failures += f.failures;
        }
        std::wprintf(L"\n");
    }
    std::wprintf(L"\nTargets: no message waits more than 100 ms; exit within 200 ms.%ls\n",
                 failures ? L" Some runs failed (see above)." : L"");
    return failures ? 1 : 0;
}
