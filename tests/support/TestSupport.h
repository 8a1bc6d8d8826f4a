// Helpers shared by the test programs: temp folders, the clipboard, message
// pumping and message boxes answered without a person.
#pragma once
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// A fresh folder under the temp directory, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return m_path; }
    // Creates a file with the given bytes; returns its full path.
    std::wstring MakeFile(const std::wstring& name, const std::string& bytes = "data") const;
    std::wstring MakeFolder(const std::wstring& name) const;

private:
    std::filesystem::path m_path;
};

// Dispatches every message waiting for this thread; returns true when a
// WM_QUIT was among them (its exit code in *exitCode).
bool PumpMessages(int* exitCode = nullptr);
// Dispatches this thread's messages as they come until condition holds or
// limitMs pass; returns the condition's last answer. The condition is looked
// at after each wake-up, so whatever makes it true must also send or post a
// message to this thread (or be a message handler).
bool PumpUntil(const std::function<bool()>& condition, DWORD limitMs = 10000);

// Puts a CF_HDROP list (wide) or a text on the clipboard, as another program would.
void PutDropListOnClipboard(const std::vector<std::wstring>& paths);
void PutAnsiDropListOnClipboard(const std::vector<std::string>& paths);
void PutTextOnClipboard(const std::wstring& text);
// True when the clipboard holds nothing at all.
bool ClipboardIsEmpty();

// Records every message box shown while it lives and answers each with answer.
class MessageBoxRecorder {
public:
    struct Shown {
        std::wstring text, caption;
        UINT type;
    };
    explicit MessageBoxRecorder(int answer = IDOK);
    ~MessageBoxRecorder();
    std::vector<Shown> shown;
    int answer;
};

std::wstring WindowText(HWND hwnd);

// A path of the build tree (a Linux path) as the programs see it: Wine shows
// the Linux root as drive Z:.
std::wstring WindowsPath(const char* path);

// One of our programs started through the launcher on a selection, as the
// shell integration starts it.
class LaunchedProgram {
public:
    LaunchedProgram(const char* programExe, const std::vector<std::wstring>& paths);
    ~LaunchedProgram();
    LaunchedProgram(const LaunchedProgram&) = delete;
    LaunchedProgram& operator=(const LaunchedProgram&) = delete;

    bool Started() const { return m_launcher != nullptr; }
    // The program's visible window, once it is there (bounded wait); null
    // when it does not come or the program ends first.
    HWND WaitForWindow(const wchar_t* className, const wchar_t* title) const;
    // Waits for the program to end; its exit code (the launcher passes it on).
    DWORD WaitForExit() const;

private:
    HANDLE m_launcher = nullptr;
};

} // namespace testing_support
