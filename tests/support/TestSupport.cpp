#include "tests/support/TestSupport.h"

#include "common/DropList.h"
#include "framework/App.h"
#include "framework/Handle.h"
#include "framework/MessageBox.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <fstream>

namespace testing_support {

namespace {
// The clipboard owner: a hidden message-only window, as a real program has.
HWND ClipboardOwner()
{
    static HWND owner = ::CreateWindowExW(0, L"STATIC", L"test clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                          nullptr, nullptr, nullptr);
    return owner;
}

void PutOnClipboard(UINT format, HGLOBAL data)
{
    fx::CGlobalMemory owned(data);
    fx::CClipboard clipboard(ClipboardOwner());
    ASSERT_TRUE(clipboard.IsOpen());
    ASSERT_TRUE(::EmptyClipboard());
    ASSERT_NE(::SetClipboardData(format, owned.Get()), nullptr);
    owned.Release();
}
// Removes a folder and everything in it by full paths (std::filesystem gives
// up on paths beyond 260 characters on some runtimes).
void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW fd;
    if (fx::CFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &fd)); find) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = folder + L"\\" + name;
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            // A link may lead out of the folder: never delete through it.
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTree(path);
            else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                ::RemoveDirectoryW(path.c_str());
            else
                ::DeleteFileW(path.c_str());
        } while (::FindNextFileW(find.Get(), &fd));
    }
    ::RemoveDirectoryW(folder.c_str());
}
} // namespace

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    std::wstring name = L"shellutil-" + std::to_wstring(now.QuadPart) + L"-" + std::to_wstring(counter++) + L"-" +
                        (test ? std::filesystem::path(test->name()).wstring() : std::wstring(L"x"));
    std::replace(name.begin(), name.end(), L'/', L'_');
    m_path = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() { RemoveTree(m_path.wstring()); }

std::wstring TempDir::MakeFile(const std::wstring& name, const std::string& bytes) const
{
    std::filesystem::path path = m_path / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path.wstring();
}

std::wstring TempDir::MakeFolder(const std::wstring& name) const
{
    std::filesystem::path path = m_path / name;
    std::filesystem::create_directories(path);
    return path.wstring();
}

namespace {
using MessageHandler = void (*)(MSG& msg);

void Dispatch(MSG& msg)
{
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

bool HandleWaiting(MessageHandler handle, int* exitCode)
{
    bool quit = false;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            if (exitCode)
                *exitCode = static_cast<int>(msg.wParam);
            continue;
        }
        handle(msg);
    }
    return quit;
}

bool HandleUntil(MessageHandler handle, const std::function<bool()>& condition, DWORD limitMs)
{
    const ULONGLONG limit = ::GetTickCount64() + limitMs;
    while (!condition()) {
        ULONGLONG now = ::GetTickCount64();
        if (now >= limit)
            return false;
        // Wakes for the next message, or 10 ms on: what makes the condition true (a worker's event, a
        // held drive asked) need not be a message.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(limit - now, 10)), QS_ALLINPUT);
        HandleWaiting(handle, nullptr);
    }
    return true;
}
} // namespace

bool PumpMessages(int* exitCode) { return HandleWaiting(Dispatch, exitCode); }

bool PumpUntil(const std::function<bool()>& condition, DWORD limitMs)
{
    return HandleUntil(Dispatch, condition, limitMs);
}

bool RouteMessages(int* exitCode) { return HandleWaiting(fx::CWinApp::RouteMessage, exitCode); }

bool RouteMessagesUntil(const std::function<bool()>& condition, DWORD limitMs)
{
    return HandleUntil(fx::CWinApp::RouteMessage, condition, limitMs);
}

bool PollUntil(const std::function<bool()>& condition, DWORD limitMs)
{
    const ULONGLONG end = ::GetTickCount64() + limitMs;
    while (!condition()) {
        if (::GetTickCount64() >= end)
            return false;
        ::Sleep(10);
    }
    return true;
}

std::wstring ForeignWindowText(HWND hwnd)
{
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return std::wstring();
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                          &copied);
    text.resize(copied);
    return text;
}

const UINT kRunStep = WM_APP + 30;

PostedSteps::PostedSteps() { Create(L"steps", WS_POPUP, RECT{0, 0, 1, 1}); }
PostedSteps::~PostedSteps() { DestroyWindow(); }

void PostedSteps::Post(std::function<void()> step)
{
    m_steps.push_back(std::move(step));
    PostMessage(kRunStep);
}

LRESULT PostedSteps::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == kRunStep && !m_steps.empty()) {
        std::function<void()> step = std::move(m_steps.front());
        m_steps.pop_front();
        step();
        return 0;
    }
    return Default(msg, wp, lp);
}

void PutDropListOnClipboard(const std::vector<std::wstring>& paths) { PutOnClipboard(CF_HDROP, MakeDropList(paths)); }

namespace {
void PutBytesOnClipboard(UINT format, const std::vector<BYTE>& bytes, UINT allocation)
{
    fx::CGlobalMemory memory(::GlobalAlloc(allocation, bytes.size()));
    ASSERT_TRUE(memory || bytes.empty());
    if (!bytes.empty())
        std::memcpy(fx::CGlobalLock<BYTE>(memory.Get()).Get(), bytes.data(), bytes.size());
    PutOnClipboard(format, memory.Release());
}
} // namespace

void PutAnsiDropListOnClipboard(const std::vector<std::string>& paths)
{
    std::vector<BYTE> list;
    for (const std::string& path : paths)
        list.insert(list.end(), path.c_str(), path.c_str() + path.size() + 1);
    list.push_back(0);
    PutRawDropListOnClipboard(DropFilesBlock(sizeof(DROPFILES), false, list));
}

void PutTextOnClipboard(const std::wstring& text)
{
    PutBytesOnClipboard(CF_UNICODETEXT, WideBytes(text + L'\0'), GMEM_MOVEABLE);
}

void PutRawDropListOnClipboard(const std::vector<BYTE>& bytes, UINT allocation)
{
    PutBytesOnClipboard(CF_HDROP, bytes, allocation);
}

std::vector<BYTE> DropFilesBlock(DWORD listOffset, bool wide, const std::vector<BYTE>& payload)
{
    DROPFILES header{};
    header.pFiles = listOffset;
    header.fWide = wide ? TRUE : FALSE;
    std::vector<BYTE> block(sizeof(header) + payload.size());
    std::memcpy(block.data(), &header, sizeof(header));
    std::copy(payload.begin(), payload.end(), block.begin() + sizeof(header));
    return block;
}

std::vector<BYTE> WideBytes(const std::wstring& text)
{
    const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
    return std::vector<BYTE>(bytes, bytes + text.size() * sizeof(wchar_t));
}

std::wstring ClipboardText()
{
    fx::CClipboard clipboard(ClipboardOwner());
    HANDLE data = clipboard.IsOpen() ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
    fx::CGlobalLock<wchar_t> text(data);
    if (!text.Get())
        return {};
    return std::wstring(text.Get(), ::wcsnlen(text.Get(), ::GlobalSize(data) / sizeof(wchar_t)));
}

DialogAnswerer::DialogAnswerer(int button)
    : DialogAnswerer([button](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); })
{
}

DialogAnswerer::DialogAnswerer(std::function<void(HWND)> answer) : m_answer(std::move(answer))
{
    s_current = this;
    m_hook = ::SetWindowsHookExW(WH_CBT, OnCbt, nullptr, ::GetCurrentThreadId());
}

DialogAnswerer::~DialogAnswerer()
{
    ::UnhookWindowsHookEx(m_hook);
    s_current = nullptr;
}

LRESULT CALLBACK DialogAnswerer::OnCbt(int code, WPARAM wp, LPARAM lp)
{
    HWND window = reinterpret_cast<HWND>(wp);
    wchar_t className[16] = L"";
    DialogAnswerer* self = s_current;
    if (self && code == HCBT_CREATEWND && ::GetClassNameW(window, className, 16) &&
        std::wstring(className) == L"#32770") {
        self->m_unanswered.push_back(window);
    } else if (self && code == HCBT_ACTIVATE) {
        const auto made = std::find(self->m_unanswered.begin(), self->m_unanswered.end(), window);
        if (made != self->m_unanswered.end()) {
            self->m_unanswered.erase(made);
            ++self->m_asked;
            self->m_answer(window);
        }
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

std::vector<HostileDropList> HostileDropLists()
{
    const std::wstring missing = L"C:\\no such file.txt";
    const std::vector<BYTE> list = WideBytes(missing + std::wstring(2, L'\0'));
    const DWORD start = sizeof(DROPFILES);
    const DWORD size = static_cast<DWORD>(start + list.size());
    std::vector<BYTE> odd = WideBytes(missing + L'\0');
    odd.push_back('x');

    std::wstring many;
    for (int i = 0; i < 10000; ++i)
        many += L"C:\\folder\\file " + std::to_wstring(i) + L".txt" + L'\0';
    many += L'\0';
    const std::wstring tooLong = L"C:\\" + std::wstring(40000, L'n') + std::wstring(2, L'\0');

    return {
        {"list offset 0x7FFFFFF0", DropFilesBlock(0x7FFFFFF0, true, list), GMEM_MOVEABLE, false},
        {"list offset 0xFFFFFFF0", DropFilesBlock(0xFFFFFFF0, true, list), GMEM_MOVEABLE, false},
        {"list offset past the block", DropFilesBlock(size + 64, true, list), GMEM_MOVEABLE, false},
        {"list offset 0", DropFilesBlock(0, true, list), GMEM_MOVEABLE, false},
        {"zero-size fixed block", {}, GMEM_FIXED, false},
        {"4-byte block", {0x14, 0, 0, 0}, GMEM_MOVEABLE, false},
        {"no double NUL", DropFilesBlock(start, true, WideBytes(missing)), GMEM_MOVEABLE, true},
        {"odd byte count", DropFilesBlock(start, true, odd), GMEM_MOVEABLE, true},
        {"10,000 paths", DropFilesBlock(start, true, WideBytes(many)), GMEM_MOVEABLE, true},
        {"one 40,000-character path", DropFilesBlock(start, true, WideBytes(tooLong)), GMEM_MOVEABLE, false},
    };
}

bool ClipboardIsEmpty()
{
    fx::CClipboard clipboard(ClipboardOwner());
    return clipboard.IsOpen() && ::CountClipboardFormats() == 0;
}

MessageBoxRecorder::MessageBoxRecorder(int answer) : answer(answer)
{
    fx::SetMessageBoxHandler([this](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
        shown.push_back({text, caption, type});
        return this->answer;
    });
}

MessageBoxRecorder::~MessageBoxRecorder() { fx::SetMessageBoxHandler(nullptr); }

void MoveMouseTo(HWND hwnd, POINT client, WPARAM keys)
{
    POINT screen = client;
    ::ClientToScreen(hwnd, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::SendMessageW(hwnd, WM_MOUSEMOVE, keys, MAKELPARAM(client.x, client.y));
}

void MouseLeaves(HWND hwnd)
{
    TRACKMOUSEEVENT cancel{sizeof(TRACKMOUSEEVENT), TME_CANCEL | TME_LEAVE, hwnd, 0};
    ::TrackMouseEvent(&cancel);
    ::SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
}

std::wstring WindowsPath(const char* path)
{
    std::wstring result = std::filesystem::path(path).wstring();
    std::replace(result.begin(), result.end(), L'/', L'\\');
    return result.rfind(L"\\", 0) == 0 ? L"Z:" + result : result;
}

fx::CKernelHandle StartProcess(std::wstring commandLine, const wchar_t* folder)
{
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &si, &pi))
        return fx::CKernelHandle();
    fx::CKernelHandle thread(pi.hThread);
    return fx::CKernelHandle(pi.hProcess);
}

HWND VisibleWindow(const wchar_t* className, const wchar_t* title)
{
    HWND hwnd = ::FindWindowW(className, title);
    return hwnd && ::IsWindowVisible(hwnd) ? hwnd : nullptr;
}

LaunchedProgram::LaunchedProgram(const char* programExe, const std::vector<std::wstring>& paths)
{
    std::wstring command = L"\"" + WindowsPath(LAUNCH_EXE) + L"\" --wait \"" + WindowsPath(programExe) + L"\"";
    for (const std::wstring& path : paths)
        command += L" \"" + path + L"\"";
    m_launcher = StartProcess(std::move(command));
}

LaunchedProgram::LaunchedProgram(const Directly& how, const char* programExe)
    : m_launcher(StartProcess(L"\"" + WindowsPath(programExe) + L"\"", how.currentFolder.c_str()))
{
}

HWND LaunchedProgram::WaitForWindow(const wchar_t* className, const wchar_t* title) const
{
    return WaitForWindow([className, title] { return VisibleWindow(className, title); });
}

HWND LaunchedProgram::WaitForWindow(const std::function<HWND()>& find) const
{
    // Waits for a condition in another process, bounded: nothing there
    // sends this thread a message to wake it.
    const DWORD limit = ::GetTickCount() + 30000;
    while (m_launcher && ::GetTickCount() < limit) {
        if (HWND hwnd = find())
            return hwnd;
        if (::WaitForSingleObject(m_launcher.Get(), 20) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

bool LaunchedProgram::WaitUntil(const std::function<bool()>& condition) const
{
    return WaitForWindow([&condition]() -> HWND { return condition() ? ::GetDesktopWindow() : nullptr; }) != nullptr;
}

DWORD LaunchedProgram::WaitForExit() const
{
    DWORD code = 99;
    if (m_launcher && ::WaitForSingleObject(m_launcher.Get(), 30000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(m_launcher.Get(), &code);
    return code;
}

namespace {
// FindFirstChangeNotificationW's handle, closed with FindCloseChangeNotification.
struct ChangeNotificationTraits {
    using Type = HANDLE;
    static Type Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::FindCloseChangeNotification(h); }
};
// Reached only when the command fails: on a loaded machine starting a Linux
// program from Wine and making thousands of files took over 20 s (seen).
const DWORD kLinuxCommandLimitMs = 60000;
} // namespace

bool RunOnLinux(const std::wstring& folder, const char* program, const std::wstring& arguments,
                const std::function<bool()>& done)
{
    // Watched before the command starts, so no change can slip by unseen.
    fx::CHandle<ChangeNotificationTraits> change(
        ::FindFirstChangeNotificationW(folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_FILE_NAME |
                                                                  FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE));
    if (!change)
        return false;
    StartProcess(L"\"" + WindowsPath(program) + L"\" " + arguments, folder.c_str());
    const ULONGLONG end = ::GetTickCount64() + kLinuxCommandLimitMs;
    while (!done()) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end || ::WaitForSingleObject(change.Get(), static_cast<DWORD>(end - now)) != WAIT_OBJECT_0)
            return done();
        ::FindNextChangeNotification(change.Get());
    }
    return true;
}

LinuxFolderLink::LinuxFolderLink(std::wstring folder, std::wstring name, const std::wstring& target)
    : m_folder(std::move(folder)), m_name(std::move(name))
{
    RunOnLinux(m_folder, "/bin/ln", L"-s \"" + target + L"\" \"" + m_name + L"\"", [this] { return Made(); });
}

LinuxFolderLink::~LinuxFolderLink()
{
    const std::wstring path = m_folder + L"\\" + m_name;
    RunOnLinux(m_folder, "/bin/rm", L"-f \"" + m_name + L"\"",
               [&path] { return ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES; });
}

bool LinuxFolderLink::Made() const
{
    const DWORD attributes = ::GetFileAttributesW((m_folder + L"\\" + m_name).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

} // namespace testing_support
