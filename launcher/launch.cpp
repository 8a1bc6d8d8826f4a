// launch [--wait] <program.exe> [path ...]
// launch -Embedding
//
// The shell launcher. Started by COM with -Embedding it serves the shell's
// context-menu verbs and Send To items (launcher/DropTargetServer.h). Started
// with a program and paths, as the scripts and the Start menu start it, it
// hands that program those paths (none: an empty selection) the same private
// way (launcher/HandedStart.h). The clipboard is never touched.
//
// - A GUI program: no console window flashes when the shell starts it.
//   Messages go to stderr too, for the scripts.
// - Paths are read as the programs read them (relative ones from the current
//   folder); what names no file (empty, a pattern, a device, too long) is left
//   out and the user told.
// - With --wait it stays until the program ends and returns its exit code.
//   Exit code 2: the program was not started (a message box says why).
#include "framework/GrowBuffer.h"
#include "framework/LongPath.h"
#include "framework/MessagePump.h"
#include "framework/Trace.h"
#include "launcher/DropTargetServer.h"
#include "launcher/GivenPaths.h"
#include "launcher/HandedStart.h"
#include "launcher/Tell.h"

#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace launcher;

constexpr int kNotStarted = 2;

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

bool IsEmbedding(const std::wstring& argument)
{
    return ::lstrcmpiW(argument.c_str(), L"-Embedding") == 0 || ::lstrcmpiW(argument.c_str(), L"/Embedding") == 0;
}

// This exe's folder, where the programs it serves are.
std::wstring OwnFolder()
{
    // A name that fills the buffer may have been cut: ask for twice as much.
    const std::wstring self = fx::ReadGrowingText([](wchar_t* buffer, DWORD size) {
                                  const DWORD length = ::GetModuleFileNameW(nullptr, buffer, size);
                                  return length >= size ? size * 2 : length;
                              }).value_or(L"");
    return std::filesystem::path(self).parent_path().wstring();
}

int RunFromCommandLine(const std::vector<std::wstring>& arguments, bool lastMayBeCut)
{
    size_t next = 1;
    const bool wait = next < arguments.size() && arguments[next] == L"--wait";
    if (wait)
        ++next;
    if (next >= arguments.size() || arguments[next].empty()) {
        Tell(MB_ICONINFORMATION, L"Usage: launch [--wait] <program.exe> [path ...]\n\nStarts the program and hands it "
                                 L"the paths as its selection.");
        return kNotStarted;
    }
    const std::wstring program = fx::FullPath(arguments[next]).value_or(arguments[next]);
    const std::wstring name = ProgramName(program);

    std::vector<std::wstring> paths;
    std::vector<GivenPath> refused;
    for (size_t i = next + 1; i < arguments.size(); ++i) {
        GivenPath entry = ReadGivenPath(arguments[i]);
        if (lastMayBeCut && i + 1 == arguments.size())
            entry = GivenPath{arguments[i], Refusal::CutShort};
        if (entry.refusal == Refusal::None)
            paths.push_back(std::move(entry.text));
        else
            refused.push_back(std::move(entry));
    }

    const DWORD attributes = ::GetFileAttributesW(fx::ExtendedLengthPath(program).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        fx::TraceLastError(L"No program at " + program);
        Tell(MB_ICONERROR, name + L" cannot be started: there is no such program.\n\n" + program);
        return kNotStarted;
    }
    if (paths.empty() && !refused.empty()) {
        Tell(MB_ICONERROR, L"Nothing was handed to " + name + L":\n\n" + ListRefused(refused));
        return kNotStarted;
    }
    const Started started = StartWithSelection(program, paths);
    if (!started.process) {
        Tell(MB_ICONERROR, name + L" could not be started: " + SystemMessage(started.error, name) + L"\n\n" + program);
        return kNotStarted;
    }
    if (!refused.empty())
        Tell(MB_ICONWARNING, name + L" was given the rest of the selection. Left out:\n\n" + ListRefused(refused));
    if (!wait)
        return 0;
    fx::WaitPumping(started.process.Get(), INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(started.process.Get(), &code);
    return static_cast<int>(code);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // No "no disk in drive" box for a path on an empty drive.
    ::SetErrorMode(SEM_FAILCRITICALERRORS);
    const std::wstring_view commandLine = ::GetCommandLineW();
    const std::vector<std::wstring> arguments = SplitCommandLine(commandLine);
    if (arguments.size() == 2 && IsEmbedding(arguments[1]))
        return ServeDropTargets(OwnFolder());
    return RunFromCommandLine(arguments, commandLine.size() >= kLongestCommandLine);
}
