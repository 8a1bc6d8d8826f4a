// walkbench TREE [runs]
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
// walkbench --once CONTENDER TREE: one walk by one contender, for its peak
// memory: prints the process's PeakWorkingSetSize before the walk (the
// floor of a process that has done nothing yet; under Wine the Linux peak
// resident size, Wine's own code included) and after it, and what it found.
// bench/walk.sh runs it once per contender in a process of its own, because
// the peak of the timing run holds whatever either contender reached.
#include "common/FolderWalker.h"
#include "framework/Handle.h"

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

const int kDefaultRuns = 5;

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
    std::function<FolderTotals(const std::wstring& tree)> walk;
};

// The contenders, the reference first. A third one, "Larkway from start to
// sizing finished", goes here once Larkway exists: its walk starts the exe on
// the tree (the hand-over as the launcher does it), waits until the program
// says its sizing has finished, closes it, and returns the totals it shows, so
// the rounds, medians, ratios and the check that the counts agree take it as
// they take these two. Its peak working set is then the program's own.
std::vector<Contender> Contenders()
{
    return {
        {L"bare FindFirstFileW",
         [](const std::wstring& tree) {
             FolderTotals totals;
             BareWalk(tree, totals);
             return totals;
         }},
        {L"CFolderWalker",
         [](const std::wstring& tree) {
             std::atomic<bool> stop{false};
             return MeasureFolder(tree, [&stop] { return stop.load(std::memory_order_relaxed); });
         }},
    };
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

double Milliseconds(LONGLONG ticks)
{
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f{};
        ::QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency);
}

LONGLONG Now()
{
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
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
    for (const Contender& contender : Contenders()) {
        if (name != contender.name)
            continue;
        const SIZE_T before = PeakWorkingSet();
        const FolderTotals totals = contender.walk(tree);
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

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && std::wstring(argv[1]) == L"--once")
        return WalkOnce(argv[2], WindowsPath(argv[3]));
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: walkbench TREE [runs] | walkbench --once CONTENDER TREE\n");
        return 2;
    }
    const std::wstring tree = WindowsPath(argv[1]);
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : kDefaultRuns;
    const std::vector<Contender> contenders = Contenders();
    std::vector<std::vector<double>> times(contenders.size());
    std::vector<FolderTotals> found(contenders.size());
    bool agree = true;

    for (int round = -1; round < runs; ++round) {
        for (size_t i = 0; i < contenders.size(); ++i) {
            const size_t which = (i + static_cast<size_t>(std::max(round, 0))) % contenders.size();
            const LONGLONG start = Now();
            const FolderTotals totals = contenders[which].walk(tree);
            const double ms = Milliseconds(Now() - start);
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

    std::wprintf(L"\n%ls\n", agree ? L"The counts and bytes of every walk agree."
                                   : L"THE COUNTS OR BYTES DIFFER between walks or contenders.");
    std::wprintf(L"counts: files %llu folders %llu bytes %llu\n", static_cast<unsigned long long>(found[0].files),
                 static_cast<unsigned long long>(found[0].folders), static_cast<unsigned long long>(found[0].bytes));
    return agree ? 0 : 1;
}
