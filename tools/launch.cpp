// launch [--wait] <program.exe> [path ...]
//
// The shell launcher: hands a selection to one of our programs the way the
// programs take it, as a CF_HDROP list on the clipboard, then starts the
// program with no arguments. The Send To shortcuts and the context-menu verbs
// run it, and so do the tests and the scripts.
//
// - A GUI program: no console window flashes when the shell starts it.
//   Messages go to stderr too, for the scripts.
// - The shell starts a static verb once per selected item; the launchers of
//   one selection find each other (tools/launcher/Channel.h) and the first
//   hands the program the whole selection at once, waiting for those still
//   starting up (tools/launcher/Siblings.h).
// - Paths are read as the programs read them (relative ones from the current
//   folder); what names no file (empty, a pattern, a device, too long) is left
//   out and the user told.
// - What the clipboard held (text, a file list, a picture) is put back once
//   the program has taken the selection off it.
// - It stays until the program has taken the list (or ended); with --wait it
//   stays until the program ends and returns its exit code. Exit code 2: the
//   program was not started (a message box says why).
#include "framework/Handle.h"
#include "framework/LongPath.h"
#include "framework/MessagePump.h"
#include "tools/launcher/Channel.h"
#include "tools/launcher/GivenPaths.h"
#include "tools/launcher/HandOver.h"
#include "tools/launcher/Siblings.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace launcher;

// The quiet moment after the last sibling's arrival that ends a selection
// (unless a launcher is still starting up): the shell starts the verb for
// every item in a quick row.
constexpr DWORD kQuietMs = 500;
// No gathering lasts longer, however many keep coming.
constexpr DWORD kGatherLimitMs = 60000;
// How long a sibling waits to hear how the start went: the gatherer may
// gather and wait its turn at the clipboard first.
constexpr DWORD kAnswerLimitMs = kGatherLimitMs + 120000;
// Another launcher's hand-over ends within its own bounds.
constexpr DWORD kHandOverLockMs = CHandOver::kTakeMs + 2 * CHandOver::kClipboardRetryMs + 5000;
// How long a sibling looks for the gatherer, or to become one: a gatherer
// that has stopped listening keeps its channel until it has started the
// program, which may first wait its turn at the clipboard.
constexpr DWORD kFindGathererMs = kHandOverLockMs + 10000;

constexpr int kNotStarted = 2;
const wchar_t kCaption[] = L"Corvale launcher";

void Say(const std::wstring& text)
{
    std::fwprintf(stderr, L"launch: %ls\n", text.c_str());
    std::fflush(stderr);
}

// stderr for the scripts, a message box for the user.
void Tell(UINT icon, const std::wstring& text)
{
    Say(text);
    ::MessageBoxW(nullptr, text.c_str(), kCaption, MB_OK | icon | MB_SETFOREGROUND | MB_TOPMOST);
}

std::wstring ProgramName(const std::wstring& program)
{
    std::wstring name = program.substr(program.find_last_of(L"\\/") + 1);
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

std::wstring Shortened(const std::wstring& text, size_t most = 100)
{
    if (text.size() <= most)
        return text;
    return text.substr(0, most / 2) + L"\x2026" + text.substr(text.size() - most / 2) + L" (" +
           std::to_wstring(text.size()) + L" characters)";
}

std::wstring ListRefused(const std::vector<GivenPath>& refused)
{
    const size_t kShown = 10;
    std::wstring text;
    for (size_t i = 0; i < refused.size() && i < kShown; ++i)
        text += L"\"" + Shortened(refused[i].text) + L"\" " + DescribeRefusal(refused[i].refusal) + L".\n";
    if (refused.size() > kShown)
        text += L"... and " + std::to_wstring(refused.size() - kShown) + L" more.\n";
    return text;
}

// The system's words for an error; its "%1" (the file) reads as `file`.
std::wstring SystemMessage(DWORD error, const std::wstring& file)
{
    wchar_t* text = nullptr;
    ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = text ? text : L"";
    if (text)
        ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    for (size_t at = 0; (at = message.find(L"%1", at)) != std::wstring::npos; at += file.size())
        message.replace(at, 2, file);
    return message.empty() ? L"error " + std::to_wstring(error) : message;
}

// A named mutex owned by this thread until Release or the end of the scope.
class COwnedMutex {
public:
    COwnedMutex() = default;
    ~COwnedMutex() { Release(); }
    COwnedMutex(const COwnedMutex&) = delete;
    COwnedMutex& operator=(const COwnedMutex&) = delete;
    // Opens the mutex (made if need be) and takes it within limitMs. A mutex
    // whose owner ended without letting go is taken as free.
    bool Take(const std::wstring& name, DWORD limitMs)
    {
        if (!m_mutex)
            m_mutex.Reset(::CreateMutexW(nullptr, FALSE, name.c_str()));
        if (!m_mutex)
            return true; // no such object to be had: go on alone
        m_owned = fx::WaitPumping(m_mutex.Get(), limitMs);
        return m_owned;
    }
    void Release()
    {
        if (m_owned)
            ::ReleaseMutex(m_mutex.Get());
        m_owned = false;
    }

private:
    fx::CKernelHandle m_mutex;
    bool m_owned = false;
};

struct Options {
    bool valid = false;
    bool wait = false;
    bool lastMayBeCut = false; // the command line is as long as a command line can be
    std::wstring program;
    std::vector<std::wstring> paths;
};

Options ReadOptions()
{
    const std::wstring_view commandLine = ::GetCommandLineW();
    const std::vector<std::wstring> arguments = SplitCommandLine(commandLine);
    Options options;
    options.lastMayBeCut = commandLine.size() >= kLongestCommandLine;
    size_t next = 1;
    if (next < arguments.size() && arguments[next] == L"--wait") {
        options.wait = true;
        ++next;
    }
    if (next >= arguments.size() || arguments[next].empty())
        return options;
    options.valid = true;
    options.program = arguments[next];
    options.paths.assign(arguments.begin() + static_cast<std::ptrdiff_t>(next) + 1, arguments.end());
    return options;
}

int WaitForExitCode(HANDLE process)
{
    fx::WaitPumping(process, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process, &code);
    return static_cast<int>(code);
}

// The first launcher of a selection: gathers the siblings' paths, puts the
// whole selection on the clipboard, starts the program, tells the siblings,
// waits for the program to take the list and gives the clipboard back.
int RunAsGatherer(const Options& options, const std::wstring& program, std::vector<GivenPath> entries,
                  COwnedMutex& gathering, const ChannelNames& names)
{
    CGatherer gatherer;
    const CSiblingWatch siblings(names);
    if (gatherer.Listen(names.pipe))
        gatherer.Gather(entries, kQuietMs, kGatherLimitMs, [&siblings] { return siblings.SomeMayStillCome(); });
    else
        Say(L"no other launcher can join this one: " + SystemMessage(::GetLastError(), names.pipe));

    std::vector<std::wstring> paths;
    std::vector<GivenPath> refused;
    for (GivenPath& entry : entries) {
        if (entry.refusal == Refusal::None)
            paths.push_back(std::move(entry.text));
        else
            refused.push_back(std::move(entry));
    }
    const std::wstring name = ProgramName(program);
    // The siblings hear at once; the user reads why.
    auto notStarted = [&](UINT icon, const std::wstring& text) {
        gatherer.Tell(Answer{1, 0});
        gathering.Release();
        Tell(icon, text);
        return kNotStarted;
    };

    const DWORD attributes = ::GetFileAttributesW(fx::ExtendedLengthPath(program).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return notStarted(MB_ICONERROR, name + L" cannot be started: there is no such program.\n\n" + program);
    if (paths.empty() && !refused.empty())
        return notStarted(MB_ICONERROR, L"Nothing was handed to " + name + L":\n\n" + ListRefused(refused));

    // One selection on the clipboard at a time, whichever program it is for.
    COwnedMutex clipboardTurn;
    if (!clipboardTurn.Take(HandOverLockName(), kHandOverLockMs))
        Say(L"another launcher kept the clipboard too long; going on");
    CHandOver handOver;
    if (!handOver.Put(paths))
        return notStarted(MB_ICONERROR, L"The clipboard is held by another program, so the selection could not be "
                                        L"handed to " + name + L".\n\nClose that program or try again in a moment.");

    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
        const DWORD error = ::GetLastError();
        handOver.GiveBack();
        return notStarted(MB_ICONERROR,
                          name + L" could not be started: " + SystemMessage(error, name) + L"\n\n" + program);
    }
    fx::CKernelHandle process(started.hProcess), thread(started.hThread);
    gatherer.Tell(Answer{0, started.dwProcessId});
    gathering.Release(); // the next selection for the program may gather now

    handOver.WaitForProgram(process.Get());
    if (!handOver.GiveBack())
        Say(L"what the clipboard held before could not all be put back: another program held the clipboard");
    clipboardTurn.Release();

    if (!refused.empty())
        Tell(MB_ICONWARNING, name + L" was given the rest of the selection. Left out:\n\n" + ListRefused(refused));
    return options.wait ? WaitForExitCode(process.Get()) : 0;
}

// A later launcher of the same selection: its paths are with the gatherer;
// it waits to hear how the start went (and with --wait for the program).
int RunAsSibling(const Options& options, HANDLE connection, const std::wstring& program)
{
    const std::optional<Answer> answer = WaitForAnswer(connection, kAnswerLimitMs);
    if (!answer) {
        Say(L"the launcher that gathered the selection ended without starting " + ProgramName(program));
        return kNotStarted;
    }
    if (answer->status != 0) {
        Say(ProgramName(program) + L" was not started (the first launcher of the selection told why)");
        return kNotStarted;
    }
    if (!options.wait)
        return 0;
    fx::CKernelHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, answer->processId));
    if (!process) {
        Say(ProgramName(program) + L" has already ended; its exit code is not known");
        return 0;
    }
    return WaitForExitCode(process.Get());
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // No "no disk in drive" box for a path on an empty drive.
    ::SetErrorMode(SEM_FAILCRITICALERRORS);
    const Options options = ReadOptions();
    if (!options.valid) {
        Tell(MB_ICONINFORMATION, L"Usage: launch [--wait] <program.exe> [path ...]\n\nPuts the paths on the clipboard "
                                 L"as a file list and starts the program, which takes them from there.");
        return kNotStarted;
    }
    const std::wstring program = fx::FullPath(options.program).value_or(options.program);

    std::vector<GivenPath> entries;
    entries.reserve(options.paths.size());
    for (const std::wstring& path : options.paths) {
        entries.push_back(ReadGivenPath(path));
        if (options.lastMayBeCut && &path == &options.paths.back())
            entries.back() = GivenPath{path, Refusal::CutShort};
        if (entries.back().refusal != Refusal::None)
            Say(L"\"" + Shortened(path) + L"\" " + DescribeRefusal(entries.back().refusal) + L"; left out");
    }

    // The first launcher of the selection gathers; the others hand it their paths.
    const ChannelNames names = NamesFor(program);
    CMembership membership(names);
    COwnedMutex gathering;
    const ULONGLONG end = ::GetTickCount64() + kFindGathererMs;
    for (DWORD wait = 0;; wait = 50) {
        if (gathering.Take(names.mutex, wait)) {
            membership.Joined();
            return RunAsGatherer(options, program, std::move(entries), gathering, names);
        }
        if (std::optional<fx::CFileHandle> connection = HandToGatherer(names.pipe, entries)) {
            membership.Joined();
            return RunAsSibling(options, connection->Get(), program);
        }
        if (::GetTickCount64() >= end) {
            Tell(MB_ICONERROR, L"Another launcher of " + ProgramName(program) +
                                   L" does not answer, so the selection could not be handed over. Try again.");
            return kNotStarted;
        }
    }
}
