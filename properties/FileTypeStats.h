// The figures of one folder walk split by the file-type patterns the user
// typed ("*.txt;*.doc"): how many files and bytes each pattern matched, next
// to the totals of the walk. The folder page feeds it from the walker's
// callbacks, one entry at a time, and reads it back row by row for its File
// Types box, whose first row, "*.*", is always every file of the walk.
#pragma once
#include <windows.h>

#include "common/FolderWalker.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fennix {

struct TypeFigures {
    uint64_t files = 0;
    uint64_t bytes = 0;
};

class CFileTypeStats {
public:
    // The row of every file; it heads the type rows whatever the filter says.
    static constexpr wchar_t kAllFiles[] = L"*.*";

    CFileTypeStats() = default;
    explicit CFileTypeStats(std::wstring_view filter);

    // No patterns, all figures 0.
    void Reset();

    // Replaces the patterns by those of filter and sets every figure to 0.
    // Patterns end at each ";" and ","; a filter that does not end in one
    // still has its last pattern. Blanks around a pattern are dropped; an
    // empty pattern stays (it matches nothing). "*.*" goes to the front, and
    // a pattern met again (same text, same case) is listed once.
    void SetFilter(std::wstring_view filter);

    // The index in Patterns() of the first pattern that the file name's type
    // matches, case ignored: "*." plus the text after the name's last ".", or
    // "*" for a name without one. "*.*" matches every name. -1 when none does.
    int FindType(std::wstring_view fileName) const;

    // One file met by the walk: it counts in the totals, and for its pattern
    // when it has one. Neither call allocates.
    void AddFile(std::wstring_view fileName, uint64_t size);
    void AddFile(const WIN32_FIND_DATAW& entry);
    void AddFolder();

    // The patterns of the filter, in the order FindType searches them.
    const std::vector<std::wstring>& Patterns() const { return m_patterns; }
    FolderTotals Totals() const { return m_totals; }

    // The rows of the File Types box: row 0 is "*.*" with the totals, row
    // k > 0 is pattern k - 1 with its figures.
    size_t TypeCount() const { return m_patterns.size() + 1; }
    std::wstring_view TypeName(size_t row) const;
    TypeFigures Figures(size_t row) const;

private:
    void AddPattern(std::wstring_view pattern);
    void RemoveDuplicates();

    std::vector<std::wstring> m_patterns;
    std::vector<TypeFigures> m_perPattern; // by index in m_patterns
    FolderTotals m_totals;
};

} // namespace fennix
