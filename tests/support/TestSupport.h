// Helpers shared by the test programs: temp folders, the clipboard, message
// pumping and message boxes answered without a person.
#pragma once
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
// The same two, with each message routed as the programs' own loops do
// (fx::CWinApp::RouteMessage: the windows' PreTranslateMessage, the dialog
// manager, then translation and dispatch), as keys must be.
bool RouteMessages(int* exitCode = nullptr);
bool RouteMessagesUntil(const std::function<bool()>& condition, DWORD limitMs = 10000);

// Looks at a condition that other threads or processes make true, every
// 10 ms until it holds or limitMs pass; returns its last answer. For what
// sends this thread no message to wake it.
bool PollUntil(const std::function<bool()>& condition, DWORD limitMs = 15000);

// Runs a test's steps inside a message loop that is not the test's own (a
// modal sheet's, a modal dialog's): each step is posted to a hidden window of
// this thread, and runs when that loop dispatches it, in the order posted.
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

// Puts a CF_HDROP list (wide) or a text on the clipboard, as another program would.
void PutDropListOnClipboard(const std::vector<std::wstring>& paths);
void PutAnsiDropListOnClipboard(const std::vector<std::string>& paths);
void PutTextOnClipboard(const std::wstring& text);
// Puts any bytes on the clipboard as a file list, in a block allocated with
// the given flags, as a careless or hostile program may.
void PutRawDropListOnClipboard(const std::vector<BYTE>& bytes, UINT allocation = GMEM_MOVEABLE);
// A DROPFILES header with the given list offset and character width,
// followed by the payload bytes.
std::vector<BYTE> DropFilesBlock(DWORD listOffset, bool wide, const std::vector<BYTE>& payload = {});
// The bytes of a wide text, with no terminator of its own.
std::vector<BYTE> WideBytes(const std::wstring& text);

// File lists as any program may leave them on the clipboard, well-formed or
// not. `names` tells whether a reader should find a first path on drive C
// (the block is readable) or no list at all.
struct HostileDropList {
    const char* what;
    std::vector<BYTE> bytes;
    UINT allocation;
    bool namesDriveC;
};
std::vector<HostileDropList> HostileDropLists();
// The text on the clipboard; empty when it holds none.
std::wstring ClipboardText();
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

using fx::WindowText;
// The text of another process's window (GetWindowTextW reads only the
// caption of a window of this process).
std::wstring ForeignWindowText(HWND hwnd);

// Puts the mouse pointer on a point of a window's client area and sends the
// window the mouse move that goes with it; keys are the MK_* flags held.
void MoveMouseTo(HWND hwnd, POINT client, WPARAM keys = 0);
// The pointer leaving a window, as the system reports it: a request for
// WM_MOUSELEAVE is used up by the WM_MOUSELEAVE it brings.
void MouseLeaves(HWND hwnd);
// Whether the system has been asked to report the pointer leaving hwnd.
bool LeaveIsTracked(HWND hwnd);

// A way a top-level window stops being the one the user works in, brought
// about as the system does it; check runs while the window is out of use.
struct ForegroundLoss {
    const char* what;
    std::function<void(HWND top, const std::function<void()>& check)> happen;
};
const std::vector<ForegroundLoss>& ForegroundLosses();

// Whether a window is asked to repaint while this lives: it is painted at
// once, or left with an area waiting for a paint. Starts from a window with
// nothing waiting.
class RepaintWatch {
public:
    explicit RepaintWatch(HWND hwnd);
    ~RepaintWatch();
    RepaintWatch(const RepaintWatch&) = delete;
    RepaintWatch& operator=(const RepaintWatch&) = delete;
    bool Requested() const;

private:
    static LRESULT CALLBACK CountPaints(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    HWND m_hwnd;
    int m_paints = 0;
};

// A path of the build tree (a Linux path) as the programs see it: Wine shows
// the Linux root as drive Z:.
std::wstring WindowsPath(const char* path);

// A symbolic link to a folder, made and removed on the Linux side (a loop for
// the walks to meet). Wine 8's CreateSymbolicLinkW reports success and makes
// nothing, and its file API cannot remove a Unix symlink; Wine does start a
// Linux program named by its Z: path, in the current folder given.
class LinuxFolderLink {
public:
    // Makes folder\name point at target, a Linux path (relative to folder,
    // as "../.." for an ancestor, or absolute).
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

// Runs a Linux program (a full Linux path, as "/bin/ln") with its arguments
// in a folder and waits, on the folder's change notifications, until done
// holds or 10 s pass. Wine hands back no process to wait for, so done must be
// something the program changes in that folder. Returns done's last answer.
bool RunOnLinux(const std::wstring& folder, const char* program, const std::wstring& arguments,
                const std::function<bool()>& done);

// Answers, as a person would, every dialog (class #32770: the shell's
// questions, our own modal dialogs) this thread makes while it lives, once,
// when it first becomes active; counts them. Dialogs that were there before
// (the window the test drives) are left alone.
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

// One of our programs started through the launcher on a selection, as the
// shell integration starts it. The launcher puts back what the clipboard held
// once the program has taken the selection.
class LaunchedProgram {
public:
    LaunchedProgram(const char* programExe, const std::vector<std::wstring>& paths);
    // Started directly, in the given current folder, on whatever the
    // clipboard holds now.
    struct Directly {
        explicit Directly(std::wstring folder) : currentFolder(std::move(folder)) {}
        std::wstring currentFolder;
    };
    LaunchedProgram(const Directly& how, const char* programExe);
    ~LaunchedProgram();
    LaunchedProgram(const LaunchedProgram&) = delete;
    LaunchedProgram& operator=(const LaunchedProgram&) = delete;

    bool Started() const { return m_launcher != nullptr; }
    // The program's visible window, once it is there (bounded wait); null
    // when it does not come or the program ends first.
    HWND WaitForWindow(const wchar_t* className, const wchar_t* title) const;
    // The first window find gives (bounded wait); null when none comes or
    // the program ends first.
    HWND WaitForWindow(const std::function<HWND()>& find) const;
    // Waits (bounded) until condition holds, while the program runs.
    bool WaitUntil(const std::function<bool()>& condition) const;
    // Waits for the program to end; its exit code (the launcher passes it on).
    DWORD WaitForExit() const;

private:
    void Start(std::wstring commandLine, const wchar_t* currentFolder);

    HANDLE m_launcher = nullptr; // the launcher, or the program itself when started directly
};

} // namespace testing_support
