#include "tests/support/TestSupport.h"

#include "controls/DropList.h"
#include "framework/Handle.h"
#include "framework/MessageBox.h"

#include <gtest/gtest.h>
#include <shlobj.h>

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
} // namespace

namespace {
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
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
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
    for (wchar_t& c : name)
        if (c == L'/')
            c = L'_';
    m_path = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir()
{
    RemoveTree(m_path.wstring());
}

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

bool PumpMessages(int* exitCode)
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
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return quit;
}

bool PumpUntil(const std::function<bool()>& condition, DWORD limitMs)
{
    const ULONGLONG limit = ::GetTickCount64() + limitMs;
    while (!condition()) {
        ULONGLONG now = ::GetTickCount64();
        if (now >= limit)
            return false;
        // Wakes for the next message, or at the limit.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(limit - now), QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

void PutDropListOnClipboard(const std::vector<std::wstring>& paths)
{
    PutOnClipboard(CF_HDROP, MakeDropList(paths));
}

void PutAnsiDropListOnClipboard(const std::vector<std::string>& paths)
{
    size_t chars = 1;
    for (const std::string& path : paths)
        chars += path.size() + 1;
    fx::CGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars));
    {
        fx::CGlobalLock<BYTE> lock(memory.Get());
        auto* header = reinterpret_cast<DROPFILES*>(lock.Get());
        header->pFiles = sizeof(DROPFILES);
        header->fWide = FALSE;
        char* out = reinterpret_cast<char*>(lock.Get() + sizeof(DROPFILES));
        for (const std::string& path : paths) {
            std::memcpy(out, path.c_str(), path.size());
            out += path.size() + 1;
        }
    }
    PutOnClipboard(CF_HDROP, memory.Release());
}

void PutTextOnClipboard(const std::wstring& text)
{
    fx::CGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
    {
        fx::CGlobalLock<wchar_t> lock(memory.Get());
        std::memcpy(lock.Get(), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    }
    PutOnClipboard(CF_UNICODETEXT, memory.Release());
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

MessageBoxRecorder::~MessageBoxRecorder()
{
    fx::SetMessageBoxHandler(nullptr);
}

std::wstring WindowText(HWND hwnd)
{
    int n = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = ::GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

std::wstring WindowsPath(const char* path)
{
    std::wstring result = std::filesystem::path(path).wstring();
    for (wchar_t& c : result)
        if (c == L'/')
            c = L'\\';
    return result.rfind(L"\\", 0) == 0 ? L"Z:" + result : result;
}

LaunchedProgram::LaunchedProgram(const char* programExe, const std::vector<std::wstring>& paths)
{
    std::wstring command = L"\"" + WindowsPath(LAUNCH_EXE) + L"\" --wait \"" + WindowsPath(programExe) + L"\"";
    for (const std::wstring& path : paths)
        command += L" \"" + path + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return;
    ::CloseHandle(pi.hThread);
    m_launcher = pi.hProcess;
}

LaunchedProgram::~LaunchedProgram()
{
    if (m_launcher)
        ::CloseHandle(m_launcher);
}

HWND LaunchedProgram::WaitForWindow(const wchar_t* className, const wchar_t* title) const
{
    // Waits for a condition, bounded: the program's window to exist.
    const DWORD limit = ::GetTickCount() + 30000;
    while (m_launcher && ::GetTickCount() < limit) {
        if (HWND hwnd = ::FindWindowW(className, title); hwnd && ::IsWindowVisible(hwnd))
            return hwnd;
        if (::WaitForSingleObject(m_launcher, 20) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

DWORD LaunchedProgram::WaitForExit() const
{
    DWORD code = 99;
    if (m_launcher && ::WaitForSingleObject(m_launcher, 30000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(m_launcher, &code);
    return code;
}

} // namespace testing_support
