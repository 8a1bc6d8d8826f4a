// Helpers shared by the test programs: temp folders, the clipboard, message
// pumping and message boxes answered without a person.
#pragma once
#include <windows.h>

#include <filesystem>
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

} // namespace testing_support
