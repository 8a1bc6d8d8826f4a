// startup [runs] [other-Fennix.exe]
// Measures how long each program takes from its start to its main window on
// the screen: Fennix on one file and Dovrin on that file's drive, both with
// the selection handed over on the clipboard as the launcher does, next to a
// minimal Win32 window and a minimal one-page property sheet made the way
// Fennix makes its own. The programs take turns (one start of each per round,
// the order rotated every round), so a slow patch of a shared machine falls
// on all of them alike. Prints the median of each and its ratio to the
// minimal window. A second Fennix.exe given (say, a build of an earlier
// commit; a Linux or a Windows path) runs in the same rounds, so a change is
// measured against what it changes under the same load.
//
// "Shown": from just before CreateProcessW to the moment the program's main
// window (a top-level window of its main thread that has no owner) is
// visible. The window is found by polling EnumThreadWindows on the program's
// main thread every millisecond. A WinEvent hook would need Wine to raise
// EVENT_OBJECT_SHOW across processes and would stamp the event when it is
// delivered to us, not when it happened; the poll needs nothing from Wine but
// the window list, asks the wineserver about a handful of windows per round,
// and is late by at most one poll interval. Owned windows are left out:
// Fennix's drop window, owned by its frame, is no main window (builds that
// made it at start-up showed it for a moment before the frame).
// "Idle": from the same start until WaitForInputIdle returns after the
// window was seen: the program has finished what it does before waiting for
// input (its first paint included), so work merely moved past the moment the
// window shows still counts here.
#include "bench/BenchClock.h"
#include "bench/WinePaths.h"
#include "common/DropList.h"
#include "framework/Handle.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using bench::Median;
using bench::Milliseconds;
using bench::Now;
using bench::WindowsPath;

const int kDefaultRuns = 10;
const DWORD kWindowTimeoutMs = 15000;
const DWORD kExitTimeoutMs = 5000;

struct Program {
    const wchar_t* name;
    std::wstring exe;
    bool handOver; // the selection goes on the clipboard first
    std::vector<double> shownMs;
    std::vector<double> idleMs;
    int failures = 0;
};

bool PutSelectionOnClipboard(HWND owner, const std::wstring& path)
{
    fx::CGlobalMemory list(MakeDropList({path}));
    if (!list)
        return false;
    fx::CClipboard clipboard(owner);
    if (!clipboard.IsOpen() || !::EmptyClipboard() || !::SetClipboardData(CF_HDROP, list.Get()))
        return false;
    list.Release(); // the clipboard owns it now
    return true;
}

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM lp)
{
    if (!::IsWindowVisible(hwnd) || ::GetWindow(hwnd, GW_OWNER))
        return TRUE;
    *reinterpret_cast<HWND*>(lp) = hwnd;
    return FALSE;
}

// Waits for the main window of the program's main thread to be visible,
// answering our own messages (the clipboard's) meanwhile. Null when the
// program ends first or the wait runs out.
HWND WaitForMainWindow(const PROCESS_INFORMATION& pi)
{
    const ULONGLONG end = ::GetTickCount64() + kWindowTimeoutMs;
    while (::GetTickCount64() < end) {
        HWND found = nullptr;
        ::EnumThreadWindows(pi.dwThreadId, FindMainWindow, reinterpret_cast<LPARAM>(&found));
        if (found)
            return found;
        if (::MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 1, QS_ALLINPUT) == WAIT_OBJECT_0)
            return nullptr;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
    return nullptr;
}

// One start of the program, measured, then closed. False when it failed to
// show its window or to end.
bool RunOnce(Program& program, HWND owner, const std::wstring& file)
{
    if (program.handOver && !PutSelectionOnClipboard(owner, file)) {
        std::fwprintf(stderr, L"startup: cannot put the selection on the clipboard\n");
        return false;
    }
    std::wstring commandLine = L"\"" + program.exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    const LONGLONG start = Now();
    if (!::CreateProcessW(program.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi)) {
        std::fwprintf(stderr, L"startup: cannot start %ls (error %lu)\n", program.exe.c_str(), ::GetLastError());
        return false;
    }
    fx::CKernelHandle process(pi.hProcess), thread(pi.hThread);

    HWND window = WaitForMainWindow(pi);
    const LONGLONG shown = Now();
    bool ok = window != nullptr;
    if (ok) {
        ::WaitForInputIdle(pi.hProcess, kExitTimeoutMs);
        const LONGLONG idle = Now();
        program.shownMs.push_back(Milliseconds(shown - start));
        program.idleMs.push_back(Milliseconds(idle - start));
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    } else {
        std::fwprintf(stderr, L"startup: %ls showed no window\n", program.name);
    }
    if (::WaitForSingleObject(pi.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0) {
        std::fwprintf(stderr, L"startup: %ls did not end; stopping it\n", program.name);
        ::TerminateProcess(pi.hProcess, 1);
        ::WaitForSingleObject(pi.hProcess, kExitTimeoutMs);
        ok = false;
    }
    return ok;
}

// The file Fennix shows: a small text file of our own in the temporary folder.
std::wstring MakeSampleFile()
{
    wchar_t folder[MAX_PATH + 1] = L"";
    ::GetTempPathW(MAX_PATH + 1, folder);
    std::wstring path = std::wstring(folder) + L"startup-bench.txt";
    std::ofstream(std::filesystem::path(path), std::ios::binary) << "A file for the start-up benchmark.\r\n";
    return path;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : kDefaultRuns;
    std::vector<Program> programs{
        {L"minimal window", WindowsPath(MINIMAL_WINDOW_EXE), false, {}, {}},
        {L"minimal sheet", WindowsPath(MINIMAL_SHEET_EXE), false, {}, {}},
        {L"Fennix (1 file)", WindowsPath(FENNIX_EXE), true, {}, {}},
        {L"Dovrin", WindowsPath(DOVRIN_EXE), true, {}, {}},
    };
    if (argc > 2)
        programs.push_back({L"other Fennix", WindowsPath(std::wstring(argv[2])), true, {}, {}});
    HWND owner = ::CreateWindowExW(0, L"STATIC", L"startup bench", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                   nullptr);
    const std::wstring file = MakeSampleFile();

    // One round first that is not counted: it brings every exe and the DLLs
    // it loads into the caches, which the first program to run would
    // otherwise pay for alone.
    for (int round = -1; round < runs; ++round) {
        for (size_t i = 0; i < programs.size(); ++i) {
            Program& program = programs[(i + static_cast<size_t>(std::max(round, 0))) % programs.size()];
            size_t before = program.shownMs.size();
            if (!RunOnce(program, owner, file))
                ++program.failures;
            if (round < 0 && program.shownMs.size() > before) {
                program.shownMs.pop_back();
                program.idleMs.pop_back();
            }
        }
    }
    ::DeleteFileW(file.c_str());
    ::DestroyWindow(owner);

    std::wprintf(L"Start-up: from CreateProcess to the main window visible (shown), and to the program\n"
                 L"waiting for input after that (idle); median of %d starts each, interleaved.\n\n",
                 runs);
    std::wprintf(L"%-18ls %10ls %10ls %14ls %12ls\n", L"program", L"shown ms", L"idle ms", L"shown ratio",
                 L"idle ratio");
    const double baseShown = Median(programs[0].shownMs), baseIdle = Median(programs[0].idleMs);
    int failures = 0;
    for (const Program& program : programs) {
        const double shown = Median(program.shownMs), idle = Median(program.idleMs);
        std::wprintf(L"%-18ls %10.1f %10.1f %13.2fx %11.2fx", program.name, shown, idle,
                     baseShown > 0 ? shown / baseShown : 0, baseIdle > 0 ? idle / baseIdle : 0);
        if (program.failures)
            std::wprintf(L"   (%d failed starts)", program.failures);
        std::wprintf(L"\n");
        failures += program.failures;
    }
    std::wprintf(L"\nRatios are to the minimal window.\n");
    return failures ? 1 : 0;
}
