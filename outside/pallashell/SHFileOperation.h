// Pallashell: the shell's copy, move and folder creation.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

enum class FileOperationResult {
    Done,      // every item was copied or moved
    Aborted,   // the user cancelled, or some items were skipped: not everything arrived
    Failed,    // the operation failed (the debug trace says why)
};

class CSHFileOperation {
public:
    // Copies or moves every item of sources (full paths, each NUL-terminated,
    // one more NUL after the last) into the folder destination (no trailing
    // backslash unless a drive root), which is created first when missing.
    // flags are FOF_* flags (FOF_ALLOWUNDO...), passed on as given; title is
    // the progress caption shown over owner. An empty list is Done at once;
    // a drive root among the sources fails (ERROR_BAD_PATHNAME) before
    // anything is touched.
    FileOperationResult CopyFiles(HWND owner, const wchar_t* sources, const std::wstring& destination,
                                  FILEOP_FLAGS flags, const std::wstring& title);
    FileOperationResult MoveFiles(HWND owner, const wchar_t* sources, const std::wstring& destination,
                                  FILEOP_FLAGS flags, const std::wstring& title);
    // Creates the folder and every missing folder above it; true when it exists afterwards.
    bool CreateFolders(const std::wstring& path);

private:
    FileOperationResult Run(UINT operation, HWND owner, const wchar_t* sources, const std::wstring& destination,
                            FILEOP_FLAGS flags, const std::wstring& title);
};
