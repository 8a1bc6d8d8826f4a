// The launcher as the shell and the scripts run it: a real launch.exe handing
// selections to a probe program (LaunchProbe.cpp) that writes down what it got.
#include "tools/launcher/Channel.h"

#include "common/DropList.h"
#include "framework/Handle.h"
#include "framework/LongPath.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>

namespace {

using namespace testing_support;
using Paths = std::vector<std::wstring>;

const std::wstring kLauncher = WindowsPath(LAUNCH_EXE);
const std::wstring kProbe = WindowsPath(LAUNCH_PROBE_EXE);
const wchar_t kCaption[] = L"Corvale launcher";

std::wstring Quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

// One launcher process, started on the arguments that follow its own name.
class Launcher {
public:
    explicit Launcher(const std::wstring& arguments, const wchar_t* folder = nullptr)
    {
        Start(arguments, folder, 0);
    }
    // Made but not yet running, as a process the machine is slow to start.
    struct Suspended {};
    Launcher(const std::wstring& arguments, Suspended) { Start(arguments, nullptr, CREATE_SUSPENDED); }
    void Resume() const { ::ResumeThread(m_thread.Get()); }
    bool Running() const { return m_process && ::WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT; }
    bool Started() const { return static_cast<bool>(m_process); }
    DWORD Error() const { return m_error; }
    // Its exit code once it ended (bounded wait); 99 when it did not end.
    DWORD ExitCode(DWORD limitMs = 30000) const
    {
        DWORD code = 99;
        if (m_process && ::WaitForSingleObject(m_process.Get(), limitMs) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(m_process.Get(), &code);
        return code;
    }
    // Waits, as the shell may, until it waits for input; true when it does.
    bool WaitsForInput(DWORD limitMs = 5000) const
    {
        return m_process && ::WaitForInputIdle(m_process.Get(), limitMs) == 0;
    }

private:
    void Start(const std::wstring& arguments, const wchar_t* folder, DWORD flags)
    {
        std::wstring command = Quoted(kLauncher) + L" " + arguments;
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        if (::CreateProcessW(kLauncher.c_str(), command.data(), nullptr, nullptr, FALSE, flags, nullptr, folder, &si,
                             &pi)) {
            m_process.Reset(pi.hProcess);
            m_thread.Reset(pi.hThread);
        } else {
            m_error = ::GetLastError();
        }
    }

    fx::CKernelHandle m_process, m_thread;
    DWORD m_error = 0;
};

std::wstring ProbeArguments(const Paths& paths, bool wait = true)
{
    std::wstring arguments = (wait ? L"--wait " : L"") + Quoted(kProbe);
    for (const std::wstring& path : paths)
        arguments += L" " + Quoted(path);
    return arguments;
}

// Whether a launcher holds the lock of the clipboard hand-over.
bool HandOverUnderway()
{
    fx::CKernelHandle lock(::OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, launcher::HandOverLockName().c_str()));
    if (!lock)
        return false;
    const DWORD got = ::WaitForSingleObject(lock.Get(), 0);
    if (got == WAIT_OBJECT_0 || got == WAIT_ABANDONED)
        ::ReleaseMutex(lock.Get());
    return got == WAIT_TIMEOUT;
}

// The launcher's message box, once it is up (bounded wait): its text, and
// then it is closed as a user would close it. Empty when none came.
std::wstring AnswerLauncherBox(DWORD limitMs = 20000)
{
    HWND box = nullptr;
    if (!PollUntil([&box] { return (box = ::FindWindowW(L"#32770", kCaption)) != nullptr && ::IsWindowVisible(box); },
                 limitMs))
        return std::wstring();
    std::wstring text;
    for (HWND child = nullptr; (child = ::FindWindowExW(box, child, L"Static", nullptr)) != nullptr;) {
        const std::wstring part = ForeignWindowText(child);
        if (part.size() > text.size())
            text = part;
    }
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    return text;
}

bool NoLauncherBox()
{
    return ::FindWindowW(L"#32770", kCaption) == nullptr;
}

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_runs = m_temp.Path().wstring() + L"\\runs.bin";
        ::SetEnvironmentVariableW(L"LAUNCH_PROBE_OUT", m_runs.c_str());
        EmptyTheClipboard();
    }
    void TearDown() override
    {
        for (const wchar_t* name : {L"LAUNCH_PROBE_OUT", L"LAUNCH_PROBE_LEAVE", L"LAUNCH_PROBE_COPY", L"LAUNCH_PROBE_STAY"})
            ::SetEnvironmentVariableW(name, nullptr);
        while (!NoLauncherBox())
            AnswerLauncherBox(0);
    }

    static void EmptyTheClipboard()
    {
        fx::CClipboard clipboard;
        if (clipboard.IsOpen())
            ::EmptyClipboard();
    }

    // Every run of the probe: the paths it found (a run that found no list
    // gives one entry, "(no list)").
    std::vector<Paths> Runs() const
    {
        std::ifstream file(std::filesystem::path(m_runs), std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::vector<Paths> runs;
        size_t at = 0;
        auto take = [&](DWORD& value) {
            if (bytes.size() - at < sizeof(value))
                return false;
            std::memcpy(&value, bytes.data() + at, sizeof(value));
            at += sizeof(value);
            return true;
        };
        DWORD count = 0;
        while (take(count)) {
            Paths paths;
            if (count == 0xFFFFFFFF)
                paths.push_back(L"(no list)");
            for (DWORD i = 0; i < count && count != 0xFFFFFFFF; ++i) {
                DWORD length = 0;
                if (!take(length) || bytes.size() - at < length * sizeof(wchar_t))
                    return runs;
                std::wstring path(length, L'\0');
                std::memcpy(path.data(), bytes.data() + at, length * sizeof(wchar_t));
                at += length * sizeof(wchar_t);
                paths.push_back(std::move(path));
            }
            runs.push_back(std::move(paths));
        }
        return runs;
    }

    TempDir m_temp;
    std::wstring m_runs;
};

TEST_F(LauncherTest, HandsThePathsOverAndPassesTheProgramsExitCodeOn)
{
    const std::wstring a = m_temp.MakeFile(L"a.txt"), b = m_temp.MakeFile(L"second file.txt");
    Launcher launcher(ProbeArguments({a, b}));
    ASSERT_TRUE(launcher.Started());
    EXPECT_EQ(launcher.ExitCode(), 7u);
    EXPECT_EQ(Runs(), std::vector<Paths>{(Paths{a, b})});
    EXPECT_TRUE(ClipboardIsEmpty()); // as it was
    EXPECT_TRUE(NoLauncherBox());
}

TEST_F(LauncherTest, WithoutWaitingItEndsOnceTheProgramHasTheList)
{
    ::SetEnvironmentVariableW(L"LAUNCH_PROBE_STAY", L"20000");
    const std::wstring a = m_temp.MakeFile(L"a.txt");
    Launcher launcher(ProbeArguments({a}, false));
    EXPECT_EQ(launcher.ExitCode(10000), 0u);
    EXPECT_EQ(Runs(), std::vector<Paths>{(Paths{a})});
}

TEST_F(LauncherTest, NoPathsHandOverAnEmptyList)
{
    Launcher launcher(ProbeArguments({}));
    EXPECT_EQ(launcher.ExitCode(), 7u);
    EXPECT_EQ(Runs(), std::vector<Paths>{Paths{}});
}

TEST_F(LauncherTest, RelativePathsAndSlashesAreReadFromTheCurrentFolder)
{
    const std::wstring file = m_temp.MakeFile(L"sub\\file.txt");
    const std::wstring folder = m_temp.Path().wstring();
    Launcher launcher(ProbeArguments({L"sub\\file.txt", L"./sub/../sub/file.txt", L"sub", L"C:/windows"}),
                      folder.c_str());
    EXPECT_EQ(launcher.ExitCode(), 7u);
    EXPECT_EQ(Runs(), std::vector<Paths>{(Paths{file, file, folder + L"\\sub", L"C:\\windows"})});
}

TEST_F(LauncherTest, ADriveOrFolderAsTheShellQuotesItKeepsItsBackslash)
{
    const std::wstring folder = m_temp.MakeFolder(L"folder") + L"\\";
    // The verb's command line as the shell expands "%1" for a drive and a folder.
    Launcher launcher(L"--wait " + Quoted(kProbe) + L" \"C:\\\" \"" + folder + L"\"");
    EXPECT_EQ(launcher.ExitCode(), 7u);
    EXPECT_EQ(Runs(), std::vector<Paths>{(Paths{L"C:\\", folder})});
}

TEST_F(LauncherTest, WhatNamesNoFileIsLeftOutAndTheUserIsTold)
{
    const std::wstring a = m_temp.MakeFile(L"a.txt");
    Launcher launcher(ProbeArguments({L"", a, L"NUL", L"*.txt", L"C:\\dir\\file?.txt", L"\\\\.\\PhysicalDrive0",
                                      L"C:\\a|b.txt"}));
    const std::wstring told = AnswerLauncherBox();
    EXPECT_NE(told.find(L"\"\" is empty"), std::wstring::npos) << told;
    EXPECT_NE(told.find(L"\"NUL\" is a device"), std::wstring::npos) << told;
    EXPECT_NE(told.find(L"\"*.txt\" is a wildcard"), std::wstring::npos) << told;
    EXPECT_NE(told.find(L"\"C:\\dir\\file?.txt\" is a wildcard"), std::wstring::npos) << told;
    EXPECT_NE(told.find(L"\"\\\\.\\PhysicalDrive0\" is a device"), std::wstring::npos) << told;
    EXPECT_NE(told.find(L"\"C:\\a|b.txt\" names no file"), std::wstring::npos) << told;
    EXPECT_EQ(told.find(L"a.txt\" "), std::wstring::npos) << told;
    EXPECT_EQ(launcher.ExitCode(), 7u);
    EXPECT_EQ(Runs(), std::vector<Paths>{(Paths{a})});
}

TEST_F(LauncherTest, WhenNothingNamesAFileTheProgramIsNotStarted)
{
    Launcher launcher(ProbeArguments({L"", L"NUL", L"*"}));
    const std::wstring told = AnswerLauncherBox();
    EXPECT_NE(told.find(L"Nothing was handed to launch_probe"), std::wstring::npos) << told;
    EXPECT_EQ(launcher.ExitCode(), 2u);
    EXPECT_TRUE(Runs().empty());
}

TEST_F(LauncherTest, AMissingProgramIsToldAndTheExitCodeSaysSo)
{
    const std::wstring missing = m_temp.Path().wstring() + L"\\no such program.exe";
    Launcher launcher(L"--wait " + Quoted(missing) + L" " + Quoted(m_temp.MakeFile(L"a.txt")));
    const std::wstring told = AnswerLauncherBox();
    EXPECT_NE(told.find(L"no such program cannot be started"), std::wstring::npos) << told;
    EXPECT_NE(told.find(missing), std::wstring::npos) << told;
    EXPECT_EQ(launcher.ExitCode(), 2u);
    // Nothing was put on the clipboard.
    EXPECT_TRUE(ClipboardIsEmpty());
}

TEST_F(LauncherTest, AFolderOrAFileThatIsNoProgramIsNotStarted)
{
    Launcher folder(L"--wait " + Quoted(m_temp.Path().wstring()) + L" C:\\");
    EXPECT_NE(AnswerLauncherBox().find(L"cannot be started"), std::wstring::npos);
    EXPECT_EQ(folder.ExitCode(), 2u);
    Launcher text(L"--wait " + Quoted(m_temp.MakeFile(L"not a program.exe", "plain text")) + L" C:\\");
    const std::wstring told = AnswerLauncherBox();
    EXPECT_NE(told.find(L"not a program could not be started: "), std::wstring::npos) << told;
    EXPECT_EQ(told.find(L"%1"), std::wstring::npos) << told; // the system's words name the program
    EXPECT_EQ(text.ExitCode(), 2u);
    EXPECT_TRUE(ClipboardIsEmpty()); // the list was taken back
}

TEST_F(LauncherTest, WithoutAProgramItSaysHowToUseIt)
{
    Launcher bare(L"");
    EXPECT_NE(AnswerLauncherBox().find(L"Usage: launch"), std::wstring::npos);
    EXPECT_EQ(bare.ExitCode(), 2u);
    Launcher onlyWait(L"--wait");
    EXPECT_NE(AnswerLauncherBox().find(L"Usage: launch"), std::wstring::npos);
    EXPECT_EQ(onlyWait.ExitCode(), 2u);
}

// Another program holds the clipboard open: this thread, with a window.
class ClipboardHolder {
public:
    ClipboardHolder()
        : m_window(::CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)),
          m_open(::OpenClipboard(m_window) != FALSE)
    {
    }
    ~ClipboardHolder()
    {
        LetGo();
        ::DestroyWindow(m_window);
    }
    bool Holds() const { return m_open; }
    void LetGo()
    {
        if (m_open)
            ::CloseClipboard();
        m_open = false;
    }

private:
    HWND m_window;
    bool m_open;
};

TEST_F(LauncherTest, AClipboardHeldOpenIsTriedForAWhileThenTheUserIsTold)
{
    PutTextOnClipboard(L"the user's text");
    ClipboardHolder holder;
    ASSERT_TRUE(holder.Holds());
    const ULONGLONG start = ::GetTickCount64();
    Launcher launcher(ProbeArguments({m_temp.MakeFile(L"a.txt")}));
    const std::wstring told = AnswerLauncherBox(30000);
    const ULONGLONG took = ::GetTickCount64() - start;
    EXPECT_NE(told.find(L"clipboard is held by another program"), std::wstring::npos) << told;
    EXPECT_GE(took, 4000u); // tried again for a while
    holder.LetGo();
    EXPECT_EQ(launcher.ExitCode(), 2u);
    EXPECT_TRUE(Runs().empty());
    EXPECT_EQ(ClipboardText(), L"the user's text");
}

TEST_F(LauncherTest, AClipboardHeldForAMomentIsWaitedFor)
{
    PutTextOnClipboard(L"the user's text");
    const std::wstring a = m_temp.MakeFile(L"a.txt");
    Launcher launcher(ProbeArguments({a}));
    {
        // Held until the launcher has had to wait for it: it has gathered its
        // selection and holds the hand-over lock while it tries the clipboard.
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Holds());
        EXPECT_TRUE(PollUntil(HandOverUnderway));
    }
    EXPECT_EQ(launcher.ExitCode(), 7u);
    EXPECT_EQ(Runs(), std::vector<Paths>{(Paths{a})});
    EXPECT_EQ(ClipboardText(), L"the user's text");
    EXPECT_TRUE(NoLauncherBox());
}

TEST_F(LauncherTest, TheTextOnTheClipboardIsGivenBack)
{
    const std::wstring text = L"copied before: Ünïcødé 日本語 " + std::wstring(100000, L'x');
    PutTextOnClipboard(text);
    Launcher launcher(ProbeArguments({m_temp.MakeFile(L"a.txt")}));
    EXPECT_EQ(launcher.ExitCode(), 7u);
    EXPECT_EQ(Runs().size(), 1u);
    EXPECT_EQ(ClipboardText(), text);
}

// A file list cut in the shell: the list and the "move" that goes with it.
void PutCutFilesOnClipboard(const Paths& paths)
{
    static HWND owner =
        ::CreateWindowExW(0, L"STATIC", L"cutter", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    fx::CClipboard clipboard(owner);
    ASSERT_TRUE(clipboard.IsOpen());
    ::EmptyClipboard();
    ASSERT_NE(::SetClipboardData(CF_HDROP, MakeDropList(paths)), nullptr);
    HGLOBAL effect = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD));
    *static_cast<DWORD*>(::GlobalLock(effect)) = DROPEFFECT_MOVE;
    ::GlobalUnlock(effect);
    ASSERT_NE(::SetClipboardData(::RegisterClipboardFormatW(L"Preferred DropEffect"), effect), nullptr);
}

TEST_F(LauncherTest, AFileListCutInTheShellIsGivenBackAsACut)
{
    const Paths cut{L"C:\\cut one.txt", L"C:\\cut two.txt"};
    PutCutFilesOnClipboard(cut);
    const std::wstring a = m_temp.MakeFile(L"a.txt");
    Launcher launcher(ProbeArguments({a}));
    EXPECT_EQ(launcher.ExitCode(), 7u);
    EXPECT_EQ(Runs(), std::vector<Paths>{(Paths{a})});

    fx::CClipboard clipboard;
    ASSERT_TRUE(clipboard.IsOpen());
    EXPECT_EQ(ReadDropList(::GetClipboardData(CF_HDROP)), std::optional<Paths>(cut));
    HGLOBAL effect = ::GetClipboardData(::RegisterClipboardFormatW(L"Preferred DropEffect"));
    ASSERT_NE(effect, nullptr);
    fx::CGlobalLock<DWORD> lock(effect);
    EXPECT_EQ(*lock.Get(), static_cast<DWORD>(DROPEFFECT_MOVE));
}

TEST_F(LauncherTest, APictureOnTheClipboardIsGivenBack)
{
    // A 3 x 2 bitmap, as a program copying a picture leaves it (CF_BITMAP).
    const DWORD pixels[6] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF, 0x00000000, 0x00123456};
    HBITMAP bitmap = ::CreateBitmap(3, 2, 1, 32, pixels);
    ASSERT_NE(bitmap, nullptr);
    {
        fx::CClipboard clipboard;
        ASSERT_TRUE(clipboard.IsOpen());
        ::EmptyClipboard();
        ASSERT_NE(::SetClipboardData(CF_BITMAP, bitmap), nullptr);
    }
    Launcher launcher(ProbeArguments({m_temp.MakeFile(L"a.txt")}));
    EXPECT_EQ(launcher.ExitCode(), 7u);
    EXPECT_EQ(Runs().size(), 1u);

    fx::CClipboard clipboard;
    ASSERT_TRUE(clipboard.IsOpen());
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
    HGLOBAL dib = ::GetClipboardData(CF_DIB);
    ASSERT_NE(dib, nullptr);
    fx::CGlobalLock<BITMAPINFOHEADER> header(dib);
    ASSERT_NE(header.Get(), nullptr);
    EXPECT_EQ(header.Get()->biWidth, 3);
    EXPECT_EQ(std::abs(header.Get()->biHeight), 2);
    ASSERT_EQ(header.Get()->biBitCount, 32);
    // A bottom-up DIB: the first row of bits is the picture's last.
    const DWORD* bits = reinterpret_cast<const DWORD*>(reinterpret_cast<const BYTE*>(header.Get()) + header.Get()->biSize +
                                                       (header.Get()->biCompression == BI_BITFIELDS ? 12 : 0));
    const bool bottomUp = header.Get()->biHeight > 0;
    EXPECT_EQ(bits[bottomUp ? 3 : 0] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(bits[bottomUp ? 5 : 2] & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(bits[bottomUp ? 2 : 5] & 0xFFFFFF, 0x123456u);
}

TEST_F(LauncherTest, AListTheProgramNeverTookMakesWayForWhatWasThere)
{
    PutTextOnClipboard(L"the user's text");
    ::SetEnvironmentVariableW(L"LAUNCH_PROBE_LEAVE", L"1");
    Launcher launcher(ProbeArguments({m_temp.MakeFile(L"a.txt")}));
    EXPECT_EQ(launcher.ExitCode(), 7u);
    EXPECT_EQ(Runs(), std::vector<Paths>{Paths{L"(no list)"}});
    EXPECT_EQ(ClipboardText(), L"the user's text");
}

TEST_F(LauncherTest, WhatIsCopiedWhileTheProgramRunsIsNeverOverwritten)
{
    PutTextOnClipboard(L"the user's old text");
    ::SetEnvironmentVariableW(L"LAUNCH_PROBE_COPY", L"copied meanwhile");
    const std::wstring a = m_temp.MakeFile(L"a.txt");
    Launcher launcher(ProbeArguments({a}));
    EXPECT_EQ(launcher.ExitCode(), 7u);
    EXPECT_EQ(Runs(), std::vector<Paths>{(Paths{a})});
    EXPECT_EQ(ClipboardText(), L"copied meanwhile");
}

// The shell starts a static verb once per selected item, in a quick row.
TEST_F(LauncherTest, TheLaunchersOfOneSelectionStartTheProgramOnceWithAllOfIt)
{
    ::SetEnvironmentVariableW(L"LAUNCH_PROBE_STAY", L"1000"); // the siblings find it running
    PutTextOnClipboard(L"the user's text");
    Paths selection;
    std::vector<std::unique_ptr<Launcher>> launchers;
    for (int i = 0; i < 12; ++i) {
        selection.push_back(m_temp.MakeFile(L"item " + std::to_wstring(i) + L".txt"));
        launchers.push_back(std::make_unique<Launcher>(ProbeArguments({selection.back()})));
    }
    for (const auto& launcher : launchers)
        EXPECT_EQ(launcher->ExitCode(), 7u); // each waits for the one program
    const std::vector<Paths> runs = Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(std::set<std::wstring>(runs[0].begin(), runs[0].end()),
              std::set<std::wstring>(selection.begin(), selection.end()));
    EXPECT_EQ(runs[0].size(), selection.size());
    EXPECT_EQ(ClipboardText(), L"the user's text");
}

// The shell may wait for each program it starts to wait for input before it
// starts the next: the launchers of a selection do so while they gather.
TEST_F(LauncherTest, TheLaunchersWaitForInputWhileTheyGatherSoTheShellCanStartTheNext)
{
    ::SetEnvironmentVariableW(L"LAUNCH_PROBE_STAY", L"1000");
    Paths selection;
    std::vector<std::unique_ptr<Launcher>> launchers;
    for (int i = 0; i < 4; ++i) {
        selection.push_back(m_temp.MakeFile(L"item " + std::to_wstring(i) + L".txt"));
        launchers.push_back(std::make_unique<Launcher>(ProbeArguments({selection.back()}, false)));
        EXPECT_TRUE(launchers.back()->WaitsForInput()) << i;
    }
    for (const auto& launcher : launchers)
        EXPECT_EQ(launcher->ExitCode(), 0u);
    const std::vector<Paths> runs = Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(std::set<std::wstring>(runs[0].begin(), runs[0].end()),
              std::set<std::wstring>(selection.begin(), selection.end()));
}

TEST_F(LauncherTest, ASiblingSlowToStartIsWaitedFor)
{
    const std::wstring a = m_temp.MakeFile(L"a.txt"), b = m_temp.MakeFile(L"b.txt");
    Launcher slow(ProbeArguments({b}, false), Launcher::Suspended{});
    ASSERT_TRUE(slow.Started());
    Launcher first(ProbeArguments({a}, false));
    ASSERT_TRUE(first.WaitsForInput());
    // Long past the quiet moment, the first still waits for it.
    EXPECT_FALSE(PollUntil([this] { return !Runs().empty(); }, 2000));
    slow.Resume();
    EXPECT_EQ(first.ExitCode(), 0u);
    EXPECT_EQ(slow.ExitCode(), 0u);
    const std::vector<Paths> runs = Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(std::set<std::wstring>(runs[0].begin(), runs[0].end()), (std::set<std::wstring>{a, b}));
}

TEST_F(LauncherTest, ALauncherOfAnotherProgramIsNotWaitedFor)
{
    // The other says at once which program it is for: the launcher hands
    // over after the quiet moment while the other still runs (it waits for
    // its program, which stays a while).
    ::SetEnvironmentVariableW(L"LAUNCH_PROBE_STAY", L"6000");
    const std::wstring other = m_temp.Path().wstring() + L"\\other_probe.exe";
    ASSERT_TRUE(::CopyFileW(kProbe.c_str(), other.c_str(), FALSE));
    Launcher elsewhere(L"--wait " + Quoted(other) + L" " + Quoted(m_temp.MakeFile(L"b.txt")));
    ASSERT_TRUE(elsewhere.WaitsForInput());
    Launcher launcher(ProbeArguments({m_temp.MakeFile(L"a.txt")}, false));
    EXPECT_EQ(launcher.ExitCode(), 0u);
    EXPECT_TRUE(elsewhere.Running());
    EXPECT_EQ(elsewhere.ExitCode(), 7u);
}

TEST_F(LauncherTest, ASecondSelectionAfterTheFirstStartsTheProgramAgain)
{
    const std::wstring a = m_temp.MakeFile(L"a.txt"), b = m_temp.MakeFile(L"b.txt");
    Launcher first(ProbeArguments({a}));
    EXPECT_EQ(first.ExitCode(), 7u);
    Launcher second(ProbeArguments({b}));
    EXPECT_EQ(second.ExitCode(), 7u);
    EXPECT_EQ(Runs(), (std::vector<Paths>{Paths{a}, Paths{b}}));
}

TEST_F(LauncherTest, SelectionsForTwoProgramsMeetNotOnTheClipboard)
{
    // A copy of the probe is another program: its own channel, the same clipboard.
    const std::wstring other = m_temp.Path().wstring() + L"\\other_probe.exe";
    ASSERT_TRUE(::CopyFileW(kProbe.c_str(), other.c_str(), FALSE));
    const std::wstring a = m_temp.MakeFile(L"a.txt"), b = m_temp.MakeFile(L"b.txt");
    Launcher one(ProbeArguments({a}));
    Launcher two(L"--wait " + Quoted(other) + L" " + Quoted(b));
    EXPECT_EQ(one.ExitCode(), 7u);
    EXPECT_EQ(two.ExitCode(), 7u);
    std::vector<Paths> runs = Runs();
    std::sort(runs.begin(), runs.end());
    EXPECT_EQ(runs, (std::vector<Paths>{Paths{a}, Paths{b}}));
}

// Paths of a given length that need not exist: the launcher hands over
// names; whether they are there is the program's to find out.
Paths ManyPaths(const std::wstring& folder, const std::wstring& tag, size_t commandLineChars)
{
    Paths paths;
    size_t chars = 0;
    for (int i = 0; chars < commandLineChars; ++i) {
        paths.push_back(folder + L"\\" + tag + L" item " + std::to_wstring(i) + L" " + std::wstring(60, L'x') + L".txt");
        chars += paths.back().size() + 3;
    }
    return paths;
}

TEST_F(LauncherTest, ACommandLineOfOver32000CharactersIsHandedOverWhole)
{
    Paths paths = ManyPaths(m_temp.Path().wstring(), L"a", 32000);
    const std::wstring arguments = ProbeArguments(paths);
    ASSERT_GT(arguments.size(), 32000u);
    ASSERT_LT(arguments.size() + kLauncher.size() + 3, 32767u); // what CreateProcess takes on Windows
    Launcher launcher(arguments);
    ASSERT_TRUE(launcher.Started()) << launcher.Error();
    EXPECT_EQ(launcher.ExitCode(), 7u);
    EXPECT_EQ(Runs(), std::vector<Paths>{paths});
}

TEST_F(LauncherTest, SelectionsLongerThanAnyCommandLineArriveAsOne)
{
    // Three launchers of one selection, each with a command line near the
    // limit: one list of some 96,000 characters.
    ::SetEnvironmentVariableW(L"LAUNCH_PROBE_STAY", L"1000");
    Paths all;
    std::vector<std::unique_ptr<Launcher>> launchers;
    for (const wchar_t* tag : {L"one", L"two", L"three"}) {
        const Paths paths = ManyPaths(m_temp.Path().wstring(), tag, 31500);
        all.insert(all.end(), paths.begin(), paths.end());
        launchers.push_back(std::make_unique<Launcher>(ProbeArguments(paths)));
    }
    for (const auto& launcher : launchers)
        EXPECT_EQ(launcher->ExitCode(), 7u);
    const std::vector<Paths> runs = Runs();
    ASSERT_EQ(runs.size(), 1u);
    size_t chars = 0;
    for (const std::wstring& path : runs[0])
        chars += path.size() + 1;
    EXPECT_GT(chars, 90000u);
    EXPECT_EQ(std::multiset<std::wstring>(runs[0].begin(), runs[0].end()),
              std::multiset<std::wstring>(all.begin(), all.end()));
}

TEST_F(LauncherTest, AnArgumentACommandLineAtItsLimitMayHaveCutIsLeftOut)
{
    const std::wstring a = m_temp.MakeFile(L"a.txt");
    const std::wstring tooLong = L"C:\\" + std::wstring(32800, L'n');
    // Windows refuses a command line this long. Wine starts the program on
    // the line cut to 32,766 characters: the launcher cannot know what the
    // path was, leaves it out and says why.
    Launcher launcher(ProbeArguments({a, tooLong}));
    if (!launcher.Started()) {
        EXPECT_EQ(launcher.Error(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE)) << launcher.Error();
        GTEST_SKIP() << "CreateProcess refuses a command line over 32,767 characters here";
    }
    const std::wstring told = AnswerLauncherBox();
    EXPECT_NE(told.find(L"may have been cut short"), std::wstring::npos) << told;
    EXPECT_EQ(launcher.ExitCode(), 7u);
    EXPECT_EQ(Runs(), std::vector<Paths>{(Paths{a})});
}

// A program of the same user plays a sibling on the launcher's channel.
TEST_F(LauncherTest, WhatComesDownTheChannelIsCheckedBeforeItIsHandedOver)
{
    using namespace launcher;
    const std::wstring a = m_temp.MakeFile(L"a.txt"), b = m_temp.MakeFile(L"b.txt");
    const ChannelNames names = NamesFor(kProbe);
    Launcher gatherer(ProbeArguments({a}));
    // Strangers first, each hung up on; the gatherer goes on listening.
    fx::CFileHandle stranger;
    ASSERT_TRUE(PollUntil([&] { return static_cast<bool>(stranger = ConnectToPipe(names.pipe)); }));
    const BYTE junk[8] = {'C', 'V', 'L', '1', 0xFF, 0xFF, 0xFF, 0xFF};
    WriteAll(stranger.Get(), junk, sizeof(junk), 2000);
    stranger.Reset();
    const std::optional<fx::CFileHandle> sibling =
        HandToGatherer(names.pipe, {{L"relative.txt", Refusal::None},
                                    {L"C:\\" + std::wstring(40000, L'n'), Refusal::None},
                                    {L"C:\\dir\\" + std::wstring(20, L'n'), Refusal::Device},
                                    {b, Refusal::None}});
    ASSERT_TRUE(sibling.has_value());
    const std::wstring told = AnswerLauncherBox();
    EXPECT_NE(told.find(L"\"relative.txt\" names no file"), std::wstring::npos) << told;
    EXPECT_NE(told.find(L"(40003 characters)\" names no file"), std::wstring::npos) << told;
    EXPECT_NE(told.find(L"nnnnn\" is a device"), std::wstring::npos) << told;
    const std::optional<Answer> answer = WaitForAnswer(sibling->Get(), 30000);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->status, 0u);
    EXPECT_NE(answer->processId, 0u);
    EXPECT_EQ(gatherer.ExitCode(), 7u);
    EXPECT_EQ(Runs(), std::vector<Paths>{(Paths{a, b})});
}

} // namespace
