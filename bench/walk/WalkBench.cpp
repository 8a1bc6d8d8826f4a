// walkbench TREE [runs] [--larkway LARKWAY_EXE] [--fennix FENNIX_EXE]
// Measures how long a walk of a folder tree takes that counts its files,
// folders and bytes: our CFolderWalker (through MeasureFolder, with a stop
// check reading a flag, as Larkway's sizing worker calls it) next to a bare
// walker written plainly here as the reference (FindFirstFileW on full paths,
// a new path string per entry, recursion). The contenders take turns (one
// walk of each per round, the order rotated every round, after one round that
// is not counted and brings the tree into the caches), so a slow patch of a
// shared machine falls on both alike. Prints the median of each, its ratio to
// the reference, and the counts and bytes each found (they must agree: the
// exit code is 1 when they do not).
//
// With --larkway, Larkway itself is a third contender: from its start on the
// tree (handed over on the clipboard as the launcher does it, its start-up
// folder picker cancelled as soon as it shows) to the moment its sizing has
// finished (the item progress hidden). It shows no counts, only the size
// text of its one row: that text must be the one of the reference's bytes.
// Its own peak working set is printed after the table. A fourth contender,
// "Larkway 10,000 files", is the same program handed the tree's first
// 10,000 files as its selection, timed from its start to its sizing
// finished (its size text checked against those files' bytes).
//
// With --fennix, Fennix is a contender too: started on the tree, its search
// dialog's Go pressed and timed to the summary shown (the dialog closes
// itself then). Its counts are read back from the page (the summary, and the
// exact bytes of the selected size). While it walks, a second thread keeps
// sending its frame a message and times each round trip: the longest is the
// longest any message waited while the walk ran. Both and its peak working
// set are printed after the table. Then Fennix races once more on a long
// selection, the first 10,000 files of the tree handed over as the shell
// hands a folder's every file: from its start to its folder page listing
// every item with their counts and bytes, next to a look-up of each item.
//
// walkbench --once CONTENDER TREE: one walk by one contender, for its peak
// memory: prints the process's PeakWorkingSetSize before the walk (the
// floor of a process that has done nothing yet; under Wine the Linux peak
// resident size, Wine's own code included) and after it, and what it found.
// bench/walk.sh runs it once per contender in a process of its own, because
// the peak of the timing run holds whatever either contender reached.
#include "bench/BenchClock.h"
#include "common/DropList.h"
#include "common/FolderWalker.h"
#include "framework/Handle.h"
#include "outside/pallavol/DiskInfo.h"

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <cwchar>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using bench::Median;
using bench::Milliseconds;
using bench::Now;

const int kDefaultRuns = 5;
// A long selection, as Explorer hands over when the user selects a folder's
// every file: Larkway sizes it, Fennix lists it.
const size_t kManyFiles = 10000;

// The reference: what a plain program does to sum a tree.
void BareWalk(const std::wstring& folder, FolderTotals& totals)
{
    WIN32_FIND_DATAW entry;
    fx::CFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!find)
        return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring path = folder + L"\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ++totals.folders;
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                BareWalk(path, totals);
        } else {
            ++totals.files;
            totals.bytes += (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        }
    } while (::FindNextFileW(find.Get(), &entry));
}

struct Contender {
    const wchar_t* name;
    // What the walk found; expected is what the reference found (a contender
    // that shows no counts confirms them or returns none). A contender whose
    // run holds more than what is measured (a program started and closed)
    // times the measured part itself into ownMs; otherwise the whole call
    // is timed.
    std::function<FolderTotals(const std::wstring& tree, const FolderTotals& expected, std::optional<double>& ownMs)>
        walk;
};

// Larkway's own peak working set, the largest of its runs.
SIZE_T g_larkwayPeak = 0;

bool PutOnClipboard(const std::vector<std::wstring>& paths)
{
    static HWND owner = ::CreateWindowExW(0, L"STATIC", L"walkbench", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                          nullptr);
    fx::CGlobalMemory list(MakeDropList(paths));
    fx::CClipboard clipboard(owner);
    if (!list || !clipboard.IsOpen() || !::EmptyClipboard() || !::SetClipboardData(CF_HDROP, list.Get()))
        return false;
    list.Release();
    return true;
}

struct LarkwayWindows {
    DWORD pid;
    HWND picker = nullptr;
    HWND dialog = nullptr;
};

// Larkway's start-up folder picker and its send dialog, once they exist.
void FindLarkwayWindows(LarkwayWindows& windows)
{
    ::EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* found = reinterpret_cast<LarkwayWindows*>(lp);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hwnd, &pid);
            wchar_t cls[16] = L"", title[32] = L"";
            ::GetClassNameW(hwnd, cls, 16);
            if (pid != found->pid || std::wstring(cls) != L"#32770")
                return TRUE;
            ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(title), SMTO_ABORTIFHUNG, 1000,
                                  nullptr);
            if (std::wstring(title) == L"Larkway")
                found->dialog = hwnd;
            else if (::IsWindowVisible(hwnd) && ::FindWindowExW(hwnd, nullptr, L"Static", L"Select Destination Folder"))
                found->picker = hwnd;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
}

std::wstring ControlText(HWND control)
{
    wchar_t text[256] = L"";
    ::SendMessageTimeoutW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000, nullptr);
    return text;
}

// Larkway from its start on a selection to its sizing finished: true when it
// showed the required size of the given bytes.
bool LarkwaySizes(const std::wstring& exe, const std::vector<std::wstring>& selection, uint64_t bytes)
{
    if (!PutOnClipboard(selection))
        return false;
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    fx::CKernelHandle process(pi.hProcess), thread(pi.hThread);
    LarkwayWindows windows{pi.dwProcessId};
    bool pickerCancelled = false;
    HWND progress = nullptr;
    // Polled, lightly (the program's own thread answers some of the asking):
    // nothing in the other process can wake this one.
    for (;;) {
        if (!pickerCancelled || !windows.dialog)
            FindLarkwayWindows(windows);
        if (windows.picker && !pickerCancelled) {
            ::PostMessageW(windows.picker, WM_COMMAND, IDCANCEL, 0);
            pickerCancelled = true;
        }
        if (windows.dialog && !progress)
            progress = ::GetDlgItem(windows.dialog, 1022);
        // Its own style, not IsWindowVisible: the dialog may still be hidden
        // behind the picker when the sizing ends.
        if (progress && !(::GetWindowLongW(progress, GWL_STYLE) & WS_VISIBLE))
            break;
        if (::WaitForSingleObject(process.Get(), 2) == WAIT_OBJECT_0)
            return false;
    }
    const std::wstring shown = ControlText(::GetDlgItem(windows.dialog, 1007));
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (::GetProcessMemoryInfo(process.Get(), &counters, sizeof(counters)))
        g_larkwayPeak = std::max(g_larkwayPeak, counters.PeakWorkingSetSize);
    // The picker may come after the sizing has ended: close it, then the dialog.
    while (!pickerCancelled && ::WaitForSingleObject(process.Get(), 1) == WAIT_TIMEOUT) {
        FindLarkwayWindows(windows);
        if (windows.picker) {
            ::PostMessageW(windows.picker, WM_COMMAND, IDCANCEL, 0);
            pickerCancelled = true;
        }
    }
    ::PostMessageW(windows.dialog, WM_COMMAND, IDCANCEL, 0);
    if (::WaitForSingleObject(process.Get(), 5000) != WAIT_OBJECT_0)
        ::TerminateProcess(process.Get(), 1);
    return shown == L"Space Required==> " + CDiskInfo().GetUnitSize(bytes);
}

// The first files of the tree, as a selection of many items, with their bytes.
struct Selection {
    std::vector<std::wstring> files;
    uint64_t bytes = 0;
};

Selection FirstFiles(const std::wstring& tree, size_t count)
{
    Selection selection;
    CFolderWalker walker(
        [&selection](const std::wstring& folder, const WIN32_FIND_DATAW& entry) {
            selection.files.push_back(folder + L"\\" + entry.cFileName);
            selection.bytes += EntrySize(entry);
        },
        {}, [&selection, count] { return selection.files.size() >= count; });
    walker.Walk(tree);
    selection.files.resize(std::min(selection.files.size(), count));
    return selection;
}

// Fennix's figures over all its runs: peak working set, and the longest
// wait of a message sent to its frame during a walk.
SIZE_T g_fennixPeak = 0;
double g_fennixWorstWaitMs = 0;
unsigned g_fennixProbes = 0;

struct FennixWindows {
    DWORD pid;
    HWND frame = nullptr;
    HWND search = nullptr;
};

void FindFennixWindows(FennixWindows& windows)
{
    ::EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* found = reinterpret_cast<FennixWindows*>(lp);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hwnd, &pid);
            if (pid != found->pid || !::IsWindowVisible(hwnd))
                return TRUE;
            const std::wstring title = ControlText(hwnd);
            wchar_t cls[16] = L"";
            ::GetClassNameW(hwnd, cls, 16);
            if (title == L"Property Sheet")
                found->frame = hwnd;
            else if (title == L"Fennix" && std::wstring(cls) == L"#32770")
                found->search = hwnd;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
}

// The folder page inside the frame: the page that holds the summary.
HWND FindFolderPage(HWND frame)
{
    HWND page = nullptr;
    ::EnumChildWindows(
        frame,
        [](HWND hwnd, LPARAM lp) -> BOOL {
            if (::GetDlgItem(hwnd, 1017) && ::GetDlgItem(hwnd, 1052)) {
                *reinterpret_cast<HWND*>(lp) = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&page));
    return page;
}

// Fennix started on paths, Go pressed as soon as its search dialog shows,
// until the folder page shows its summary (the search dialog closes itself
// then). goMs: from Go to the summary; startMs: from the start to it.
FolderTotals FennixWalks(const std::wstring& exe, const std::vector<std::wstring>& paths, std::optional<double>& goMs,
                         std::optional<double>& startMs)
{
    if (!PutOnClipboard(paths))
        return {};
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    const LONGLONG started = Now();
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return {};
    fx::CKernelHandle process(pi.hProcess), thread(pi.hThread);
    FennixWindows windows{pi.dwProcessId};
    while (!windows.frame || !windows.search) {
        FindFennixWindows(windows);
        if (::WaitForSingleObject(process.Get(), 2) == WAIT_OBJECT_0)
            return {};
    }

    // The clock runs from Go until the summary is shown; the prober times
    // messages sent to the frame meanwhile.
    std::atomic<bool> walking{true};
    double worstWaitMs = 0;
    unsigned probes = 0;
    std::thread prober([&] {
        while (walking.load()) {
            const LONGLONG sent = Now();
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(windows.frame, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
            worstWaitMs = std::max(worstWaitMs, Milliseconds(Now() - sent));
            ++probes;
            ::Sleep(1);
        }
    });
    const LONGLONG go = Now();
    ::SendMessageW(windows.search, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(windows.search, IDOK)));
    // Polled, lightly: nothing in the other process can wake this one.
    while (::IsWindow(windows.search) && ::WaitForSingleObject(process.Get(), 1) == WAIT_TIMEOUT) {
    }
    // The dialog goes before the page is filled: the page is shown once its
    // thread answers again.
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(windows.frame, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
    const LONGLONG shown = Now();
    goMs = Milliseconds(shown - go);
    startMs = Milliseconds(shown - started);
    walking = false;
    prober.join();
    g_fennixWorstWaitMs = std::max(g_fennixWorstWaitMs, worstWaitMs);
    g_fennixProbes += probes;

    FolderTotals totals;
    if (HWND page = FindFolderPage(windows.frame)) {
        unsigned long long folders = 0, files = 0, bytes = 0;
        if (std::swscanf(ControlText(::GetDlgItem(page, 1017)).c_str(), L"%llu Folders,%llu Files", &folders,
                         &files) == 2) {
            const std::wstring selected = ControlText(::GetDlgItem(page, 1003));
            const size_t open = selected.rfind(L'(');
            if (open != std::wstring::npos && std::swscanf(selected.c_str() + open, L"(%llu bytes)", &bytes) == 1)
                totals = {files, folders, bytes};
        }
        // Every selected item is listed.
        if (::SendMessageW(::GetDlgItem(page, 1052), LB_GETCOUNT, 0, 0) != static_cast<LRESULT>(paths.size()))
            totals = {};
    }
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (::GetProcessMemoryInfo(process.Get(), &counters, sizeof(counters)))
        g_fennixPeak = std::max(g_fennixPeak, counters.PeakWorkingSetSize);
    ::PostMessageW(windows.frame, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process.Get(), 5000) != WAIT_OBJECT_0)
        ::TerminateProcess(process.Get(), 1);
    return totals;
}

// The contenders, the reference first.
std::vector<Contender> Contenders(const std::wstring& larkway, const std::wstring& fennix)
{
    std::vector<Contender> contenders{
        {L"bare FindFirstFileW",
         [](const std::wstring& tree, const FolderTotals&, std::optional<double>&) {
             FolderTotals totals;
             BareWalk(tree, totals);
             return totals;
         }},
        {L"CFolderWalker",
         [](const std::wstring& tree, const FolderTotals&, std::optional<double>&) {
             std::atomic<bool> stop{false};
             return MeasureFolder(tree, [&stop] { return stop.load(std::memory_order_relaxed); });
         }},
    };
    if (!larkway.empty()) {
        contenders.push_back({L"Larkway sizing", [larkway](const std::wstring& tree, const FolderTotals& expected,
                                                           std::optional<double>&) {
                                  return LarkwaySizes(larkway, {tree}, expected.bytes) ? expected : FolderTotals{};
                              }});
        // The same program handed 10,000 files: listing and sizing many
        // items, from its start to its sizing finished.
        contenders.push_back({L"Larkway 10,000 files", [larkway](const std::wstring& tree, const FolderTotals& expected,
                                                                 std::optional<double>&) {
                                  static const Selection selection = FirstFiles(tree, kManyFiles);
                                  return selection.files.size() == kManyFiles &&
                                                 LarkwaySizes(larkway, selection.files, selection.bytes)
                                             ? expected
                                             : FolderTotals{};
                              }});
    }
    if (!fennix.empty())
        contenders.push_back({L"Fennix Go to summary", [fennix](const std::wstring& tree, const FolderTotals&,
                                                                 std::optional<double>& goMs) {
                                  std::optional<double> startMs;
                                  FolderTotals totals = FennixWalks(fennix, {tree}, goMs, startMs);
                                  if (totals.folders > 0)
                                      --totals.folders; // the selected folder counts itself
                                  return totals;
                              }});
    return contenders;
}

// A Linux path as Wine programs see it: the root is Z:. A Windows path stays
// as it is.
std::wstring WindowsPath(std::wstring path)
{
    if (path.empty() || path[0] != L'/')
        return path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return L"Z:" + path;
}

bool operator==(const FolderTotals& a, const FolderTotals& b)
{
    return a.files == b.files && a.folders == b.folders && a.bytes == b.bytes;
}

double Megabytes(SIZE_T bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

SIZE_T PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
}

// One walk by one contender, with the process's PeakWorkingSetSize before
// and after it, and what the walk found.
int WalkOnce(const std::wstring& name, const std::wstring& tree)
{
    for (const Contender& contender : Contenders(std::wstring(), std::wstring())) {
        if (name != contender.name)
            continue;
        const SIZE_T before = PeakWorkingSet();
        std::optional<double> ownMs;
        const FolderTotals totals = contender.walk(tree, FolderTotals{}, ownMs);
        const SIZE_T after = PeakWorkingSet();
        std::wprintf(L"%-22ls PeakWorkingSetSize before %.1f MB, after %.1f MB; files %llu folders %llu bytes %llu\n",
                     contender.name, Megabytes(before), Megabytes(after),
                     static_cast<unsigned long long>(totals.files), static_cast<unsigned long long>(totals.folders),
                     static_cast<unsigned long long>(totals.bytes));
        return 0;
    }
    std::fwprintf(stderr, L"walkbench: no contender named %ls\n", name.c_str());
    return 2;
}

// The reference for a long selection: each item looked up once, as any
// program that sizes a list of files must.
FolderTotals LookUpEach(const std::vector<std::wstring>& paths)
{
    FolderTotals totals;
    for (const std::wstring& path : paths) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
            ++totals.files;
            totals.bytes += (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        }
    }
    return totals;
}

// Fennix on a selection of many files (the first of the tree): from its
// start to its folder page showing every item, next to the look-up of each.
bool RaceManyItems(const std::wstring& tree, const std::wstring& fennix, size_t count, int runs)
{
    const std::vector<std::wstring> paths = FirstFiles(tree, count).files;
    g_fennixWorstWaitMs = 0; // this race's own
    std::vector<double> reference, fennixTimes;
    FolderTotals expected, shown;
    bool agree = true;
    for (int round = -1; round < runs; ++round) {
        const LONGLONG start = Now();
        const FolderTotals looked = LookUpEach(paths);
        const double lookMs = Milliseconds(Now() - start);
        std::optional<double> goMs, startMs;
        shown = FennixWalks(fennix, paths, goMs, startMs);
        if (round < 0) {
            expected = looked;
            continue;
        }
        reference.push_back(lookMs);
        fennixTimes.push_back(startMs.value_or(0));
        agree = agree && shown == expected && looked == expected;
    }
    std::wprintf(L"\n%zu selected files (the first of the tree): median of %d runs each, after one uncounted\n",
                 paths.size(), runs);
    std::wprintf(L"%-34ls %10ls %8ls %10ls %16ls\n", L"contender", L"median ms", L"ratio", L"files", L"bytes");
    const double lookMedian = Median(reference), fennixMedian = Median(fennixTimes);
    std::wprintf(L"%-34ls %10.1f %7.3fx %10llu %16llu\n", L"look-up of each (reference)", lookMedian, 1.0,
                 static_cast<unsigned long long>(expected.files), static_cast<unsigned long long>(expected.bytes));
    std::wprintf(L"%-34ls %10.1f %7.3fx %10llu %16llu\n", L"Fennix start to folder page shown", fennixMedian,
                 lookMedian > 0 ? fennixMedian / lookMedian : 0, static_cast<unsigned long long>(shown.files),
                 static_cast<unsigned long long>(shown.bytes));
    std::wprintf(L"The longest a message sent to Fennix's frame waited from Go to the page shown: %.1f ms\n",
                 g_fennixWorstWaitMs);
    std::wprintf(L"%ls\n", agree ? L"Fennix listed every item and showed the reference's counts and bytes."
                                  : L"FENNIX'S FIGURES DIFFER from the reference's.");
    return agree;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && std::wstring(argv[1]) == L"--once")
        return WalkOnce(argv[2], WindowsPath(argv[3]));
    std::wstring larkway, fennix;
    while (argc >= 3 && (std::wstring(argv[argc - 2]) == L"--larkway" || std::wstring(argv[argc - 2]) == L"--fennix")) {
        (std::wstring(argv[argc - 2]) == L"--larkway" ? larkway : fennix) = WindowsPath(argv[argc - 1]);
        argc -= 2;
    }
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: walkbench TREE [runs] [--larkway EXE] [--fennix EXE] | "
                              L"walkbench --once CONTENDER TREE\n");
        return 2;
    }
    const std::wstring tree = WindowsPath(argv[1]);
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : kDefaultRuns;
    const std::vector<Contender> contenders = Contenders(larkway, fennix);
    std::vector<std::vector<double>> times(contenders.size());
    std::vector<FolderTotals> found(contenders.size());
    bool agree = true;

    for (int round = -1; round < runs; ++round) {
        for (size_t i = 0; i < contenders.size(); ++i) {
            const size_t which = (i + static_cast<size_t>(std::max(round, 0))) % contenders.size();
            const LONGLONG start = Now();
            std::optional<double> ownMs;
            const FolderTotals totals = contenders[which].walk(tree, found[0], ownMs);
            const double ms = ownMs.value_or(Milliseconds(Now() - start));
            if (round < 0)
                found[which] = totals;
            else
                times[which].push_back(ms);
            agree = agree && totals == found[which];
        }
    }

    std::wprintf(L"Walk of %ls: files, folders and bytes summed; median of %d walks each, interleaved\n"
                 L"(order rotated every round, after one uncounted round that warms the caches).\n\n",
                 tree.c_str(), runs);
    std::wprintf(L"%-22ls %10ls %8ls %10ls %8ls %16ls\n", L"contender", L"median ms", L"ratio", L"files", L"folders",
                 L"bytes");
    const double reference = Median(times[0]);
    for (size_t i = 0; i < contenders.size(); ++i) {
        const double median = Median(times[i]);
        std::wprintf(L"%-22ls %10.1f %7.3fx %10llu %8llu %16llu\n", contenders[i].name, median,
                     reference > 0 ? median / reference : 0, static_cast<unsigned long long>(found[i].files),
                     static_cast<unsigned long long>(found[i].folders),
                     static_cast<unsigned long long>(found[i].bytes));
        agree = agree && found[i] == found[0];
    }

    if (!larkway.empty())
        std::wprintf(L"\nLarkway's own peak working set: %.1f MB (its size text checked against the reference's bytes)\n",
                     Megabytes(g_larkwayPeak));
    if (!fennix.empty())
        std::wprintf(L"Fennix's own peak working set: %.1f MB; the longest a message sent to its frame waited "
                     L"during a walk: %.1f ms (%u messages timed)\n",
                     Megabytes(g_fennixPeak), g_fennixWorstWaitMs, g_fennixProbes);
    if (!fennix.empty())
        agree = RaceManyItems(tree, fennix, kManyFiles, runs) && agree;
    std::wprintf(L"\n%ls\n", agree ? L"The counts and bytes of every walk agree."
                                   : L"THE COUNTS OR BYTES DIFFER between walks or contenders.");
    std::wprintf(L"counts: files %llu folders %llu bytes %llu\n", static_cast<unsigned long long>(found[0].files),
                 static_cast<unsigned long long>(found[0].folders), static_cast<unsigned long long>(found[0].bytes));
    return agree ? 0 : 1;
}
