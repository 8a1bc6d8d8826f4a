// Pallapath: the forms of a path.
#pragma once
#include <string>

class CFolderOp {
public:
    // The path with every component in its long form; the path itself when
    // it cannot be resolved (it does not exist).
    std::wstring GetLongFileName(const std::wstring& path) const;
    // The short (8.3) form of an existing path; empty when there is none.
    std::wstring GetShortFileName(const std::wstring& path) const;
    // The folder that holds the path ("C:\a\b.txt" -> "C:\a", "C:\a" -> "C:\").
    // A root ("C:\", "\\server\share") is its own parent; trailing
    // backslashes are ignored; a bare name ("b.txt") has none: empty.
    std::wstring GetParentDir(const std::wstring& path) const;
};
