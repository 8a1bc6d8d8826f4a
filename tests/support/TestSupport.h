// Helpers shared by the test programs: temp folders, the clipboard, message pumping, the mouse,
// message boxes and dialogs answered without a person, programs started as the shell does.
#pragma once
#include "framework/Handle.h"
#include "framework/Wnd.h"

#include <windows.h>

#include <deque>
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
    // Makes a file with the given bytes; returns its full path.
    std::wstring MakeFile(const std::wstring& name, const std::string& bytes = "data") const;
    std::wstring MakeFolder(const std::wstring& name) const;

private:
    std::filesystem::path m_path;
};

// Dispatches the waiting messages; true when a WM_QUIT was among them (its code in *exitCode).
bool PumpMessages(int* exitCode = nullptr);
// Dispatches messages as they come until condition holds (looked at after each message, and every
// 10 ms) or limitMs pass; returns its last answer.
bool PumpUntil(const std::function<bool()>& condition, DWORD limitMs = 10000);
// The same two, each message routed as the programs' loops do (fx::CWinApp::RouteMessage), as keys must be.
bool RouteMessages(int* exitCode = nullptr);
bool RouteMessagesUntil(const std::function<bool()>& condition, DWORD limitMs = 10000);
// Looks every 10 ms at a condition that other threads or processes make true, for what wakes no message.
bool PollUntil(const std::function<bool()>& condition, DWORD limitMs = 15000);

// Runs a test's steps, in order, inside a message loop not the test's own (a modal sheet's or dialog's).
class PostedSteps : public fx::CFrameWnd {
public:
    PostedSteps();
    ~PostedSteps() override;
    void Post(std::function<void()> step);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    std::deque<std::function<void()>> m_steps;
};

// The clipboard as another program fills it: a CF_HDROP list (wide or ANSI), a text, or any bytes as
// a file list in a block allocated with the given flags, as a careless or hostile program may.
void PutDropListOnClipboard(const std::vector<std::wstring>& paths);
void PutAnsiDropListOnClipboard(const std::vector<std::string>& paths);
void PutTextOnClipboard(const std::wstring& text);
void PutRawDropListOnClipboard(const std::vector<BYTE>& bytes, UINT allocation = GMEM_MOVEABLE);
// A DROPFILES header with the given list offset and width, then the payload.
std::vector<BYTE> DropFilesBlock(DWORD listOffset, bool wide, const std::vector<BYTE>& payload = {});
std::vector<BYTE> WideBytes(const std::wstring& text); // no terminator of its own
// File lists any program may leave, well-formed or not; namesDriveC: a reader finds a first path on C.
struct HostileDropList {
    const char* what;
    std::vector<BYTE> bytes;
    UINT allocation;
    bool namesDriveC;
};
std::vector<HostileDropList> HostileDropLists();
std::wstring ClipboardText(); // empty when it holds none
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

using fx::WindowText;
// The text of another process's window (GetWindowTextW reads only this process's).
std::wstring ForeignWindowText(HWND hwnd);

// The pointer put on a point of the client area, with the mouse move that goes with it (MK_* keys held).
void MoveMouseTo(HWND hwnd, POINT client, WPARAM keys = 0);
// The pointer leaving, as the system reports it: the WM_MOUSELEAVE uses the request for it up.
void MouseLeaves(HWND hwnd);

// A Linux path of the build tree as the programs see it (Wine shows the Linux root as Z:).
std::wstring WindowsPath(const char* path);
// A command line started as the shell starts a program (in the given folder when one is given); its
// process, null when it did not start (or, under Wine, for a Linux program).
fx::CKernelHandle StartProcess(std::wstring commandLine, const wchar_t* folder = nullptr);
// A visible top-level window of the class with the title; null when there is none.
HWND VisibleWindow(const wchar_t* className, const wchar_t* title);

// A symbolic link to a folder, made and removed on the Linux side (Wine 8's CreateSymbolicLinkW
// makes nothing, and its file API cannot remove a Unix symlink).
class LinuxFolderLink {
public:
    // Makes folder\name point at target, a Linux path (absolute, or relative to folder as "../..").
    LinuxFolderLink(std::wstring folder, std::wstring name, const std::wstring& target);
    // Removes the link, never what it points at.
    ~LinuxFolderLink();
    LinuxFolderLink(const LinuxFolderLink&) = delete;
    LinuxFolderLink& operator=(const LinuxFolderLink&) = delete;
    // Whether the link is there, listed as a reparse point.
    bool Made() const;

private:
    std::wstring m_folder, m_name;
};

// Runs a Linux program (as "/bin/ln") in a folder and waits, on the folder's notifications of names,
// sizes and writes (Wine hands back no process to wait for), until done holds or a minute passes;
// returns done's last answer.
bool RunOnLinux(const std::wstring& folder, const char* program, const std::wstring& arguments,
                const std::function<bool()>& done);

// Answers, once, as it first becomes active, every dialog (#32770) this thread makes while this
// lives, and counts them; dialogs that were there before are left alone.
class DialogAnswerer {
public:
    // Presses one button in each.
    explicit DialogAnswerer(int button);
    // Lets answer act on each dialog's window (it posts the button itself).
    explicit DialogAnswerer(std::function<void(HWND dialog)> answer);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;
    int Asked() const { return m_asked; }

private:
    static LRESULT CALLBACK OnCbt(int code, WPARAM wp, LPARAM lp);
    static inline DialogAnswerer* s_current = nullptr;
    std::function<void(HWND)> m_answer;
    std::vector<HWND> m_unanswered; // made while this lives, not active yet
    HHOOK m_hook = nullptr;
    int m_asked = 0;
};

// One of our programs started through the launcher on a selection, as the shell integration does.
class LaunchedProgram {
public:
    LaunchedProgram(const char* programExe, const std::vector<std::wstring>& paths);
    // Started directly, in the given current folder, on what the clipboard holds.
    struct Directly {
        explicit Directly(std::wstring folder) : currentFolder(std::move(folder)) {}
        std::wstring currentFolder;
    };
    LaunchedProgram(const Directly& how, const char* programExe);

    bool Started() const { return static_cast<bool>(m_launcher); }
    // Bounded waits, while the program runs: for its visible window (or the first find gives; null
    // when none comes), for a condition, for its end (its exit code, which the launcher passes on).
    HWND WaitForWindow(const wchar_t* className, const wchar_t* title) const;
    HWND WaitForWindow(const std::function<HWND()>& find) const;
    bool WaitUntil(const std::function<bool()>& condition) const;
    DWORD WaitForExit() const;

private:
    fx::CKernelHandle m_launcher; // the launcher, or the program itself when started directly
};

} // namespace testing_support
