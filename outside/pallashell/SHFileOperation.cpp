#include "outside/pallashell/SHFileOperation.h"

#include "framework/Trace.h"

#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<std::wstring> SplitMultiString(const wchar_t* multi)
{
    std::vector<std::wstring> items;
    for (const wchar_t* p = multi; p && *p; p += items.back().size() + 1)
        items.emplace_back(p);
    return items;
}

// The list form SHFileOperation reads: each item NUL-terminated, then one more
// NUL. c_str() adds the last one.
std::wstring JoinMultiString(const std::vector<std::wstring>& items)
{
    std::wstring multi;
    for (const std::wstring& item : items) {
        multi += item;
        multi += L'\0';
    }
    return multi;
}

// The last component of a path, ignoring trailing backslashes; empty for a
// drive root, which has no name to copy under.
std::wstring NameOf(std::wstring path)
{
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    size_t separator = path.find_last_of(L"\\/:");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name)
{
    if (!folder.empty() && folder.back() == L'\\')
        return folder + name;
    return folder + L'\\' + name;
}

bool IsFolder(const std::wstring& path)
{
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

FileOperationResult CSHFileOperation::CopyFiles(HWND owner, const wchar_t* sources, const std::wstring& destination,
                                                FILEOP_FLAGS flags, const std::wstring& title)
{
    return Run(FO_COPY, owner, sources, destination, flags, title);
}

FileOperationResult CSHFileOperation::MoveFiles(HWND owner, const wchar_t* sources, const std::wstring& destination,
                                                FILEOP_FLAGS flags, const std::wstring& title)
{
    return Run(FO_MOVE, owner, sources, destination, flags, title);
}

bool CSHFileOperation::CreateFolders(const std::wstring& path)
{
    int result = ::SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
    // "Already there" is success only when what is there is a folder.
    bool exists = result == ERROR_ALREADY_EXISTS || result == ERROR_FILE_EXISTS;
    if (result == ERROR_SUCCESS || (exists && IsFolder(path)))
        return true;
    fx::Trace(L"SHCreateDirectoryEx " + path + L": " + fx::SystemErrorText(static_cast<DWORD>(result)));
    return false;
}

FileOperationResult CSHFileOperation::Run(UINT operation, HWND owner, const wchar_t* sources,
                                          const std::wstring& destination, FILEOP_FLAGS flags,
                                          const std::wstring& title)
{
    std::vector<std::wstring> from = SplitMultiString(sources);
    if (from.empty())
        return FileOperationResult::Done;

    // Every item gets its own full destination name (FOF_MULTIDESTFILES): a
    // plain folder as pTo makes Wine refuse a move of several items, and a
    // single item aimed at a missing folder would be renamed to it.
    std::vector<std::wstring> to;
    for (const std::wstring& source : from) {
        std::wstring name = NameOf(source);
        if (name.empty()) {
            fx::Trace(L"SHFileOperation: a drive root cannot be sent: " + source);
            return FileOperationResult::Failed;
        }
        to.push_back(JoinPath(destination, name));
    }
    if (!IsFolder(destination) && !CreateFolders(destination))
        return FileOperationResult::Failed;

    std::wstring fromList = JoinMultiString(from);
    std::wstring toList = JoinMultiString(to);
    SHFILEOPSTRUCTW op{};
    op.hwnd = owner;
    op.wFunc = operation;
    op.pFrom = fromList.c_str();
    op.pTo = toList.c_str();
    op.fFlags = static_cast<FILEOP_FLAGS>(flags | FOF_MULTIDESTFILES);
    op.lpszProgressTitle = title.c_str();
    int result = ::SHFileOperationW(&op);
    // Well-formed lists never draw Wine's spurious ERROR_CANCELLED, so here it
    // means the person pressed Cancel.
    if (op.fAnyOperationsAborted || result == ERROR_CANCELLED)
        return FileOperationResult::Aborted;
    if (result != 0) {
        // SHFileOperation's own codes (DE_*) are not all system errors.
        fx::Trace(L"SHFileOperation failed with " + std::to_wstring(result));
        return FileOperationResult::Failed;
    }
    // Wine's move passes over a source that does not exist and still reports
    // success: only what stands at its destination has arrived.
    bool allArrived = std::all_of(to.begin(), to.end(), [](const std::wstring& path) {
        return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    });
    return allArrived ? FileOperationResult::Done : FileOperationResult::Aborted;
}
