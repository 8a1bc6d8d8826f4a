// The ordered list of paths of a selection, exportable as a double-NUL-
// terminated multi-string (the form the shell's file operations take).
#pragma once
#include <memory>
#include <string>
#include <vector>

class CPathList {
public:
    CPathList();
    CPathList(const CPathList& other);
    CPathList& operator=(const CPathList& other);
    ~CPathList();

    // false when memory ran out; the list is then unchanged.
    bool Add(const std::wstring& path);
    // Adds each string of a double-NUL-terminated list up to the empty one.
    bool AddMultiString(const wchar_t* text);
    int GetCount() const { return static_cast<int>(m_paths.size()); }
    // The path at index, or null when index is out of range.
    const wchar_t* GetAt(int index) const;
    void RemoveAll();
    // Every path followed by a NUL, then one more NUL. Valid until the next
    // GetMultiString, RemoveAll, assignment or destruction of the list.
    const wchar_t* GetMultiString();

private:
    std::vector<std::wstring> m_paths;
    std::unique_ptr<wchar_t[]> m_multiString;
};
