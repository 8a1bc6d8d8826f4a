#include "properties/FileTypeStats.h"

#include <algorithm>

namespace fennix {

namespace {
bool IsSeparator(wchar_t c)
{
    return c == L';' || c == L',';
}

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

std::wstring_view TrimBlanks(std::wstring_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Case is compared the way the file system compares names, not by locale.
bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    if (a.empty())
        return true;
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

// Whether pattern is the type of a name: "*." plus the name's extension, or
// "*" for a name without a dot. Compared in place, without building the
// name's pattern, because this runs for every file of a walk.
bool IsTypeOf(std::wstring_view pattern, std::wstring_view fileName)
{
    const size_t dot = fileName.rfind(L'.');
    if (dot == std::wstring_view::npos)
        return pattern == L"*";
    return pattern.size() >= 2 && pattern[0] == L'*' && pattern[1] == L'.' &&
           EqualIgnoringCase(pattern.substr(2), fileName.substr(dot + 1));
}
} // namespace

CFileTypeStats::CFileTypeStats(std::wstring_view filter)
{
    SetFilter(filter);
}

void CFileTypeStats::Reset()
{
    m_patterns.clear();
    m_perPattern.clear();
    m_totals = {};
}

void CFileTypeStats::SetFilter(std::wstring_view filter)
{
    Reset();
    // Blanks after the last separator are no pattern of their own.
    filter = TrimBlanks(filter);
    size_t start = 0;
    for (size_t i = 0; i < filter.size(); ++i) {
        if (IsSeparator(filter[i])) {
            AddPattern(filter.substr(start, i - start));
            start = i + 1;
        }
    }
    // A filter without a closing separator still ends its last pattern,
    // and an empty filter is one empty pattern.
    if (filter.empty() || !IsSeparator(filter.back()))
        AddPattern(filter.substr(start));
    RemoveDuplicates();
    m_perPattern.assign(m_patterns.size(), TypeFigures{});
}

void CFileTypeStats::AddPattern(std::wstring_view pattern)
{
    pattern = TrimBlanks(pattern);
    // "*.*" takes every file, so it must be tried before any narrower pattern.
    if (pattern == kAllFiles)
        m_patterns.emplace(m_patterns.begin(), pattern);
    else
        m_patterns.emplace_back(pattern);
}

void CFileTypeStats::RemoveDuplicates()
{
    for (size_t i = 0; i < m_patterns.size(); ++i) {
        const std::wstring& kept = m_patterns[i]; // only later entries move
        m_patterns.erase(std::remove(m_patterns.begin() + static_cast<std::ptrdiff_t>(i) + 1, m_patterns.end(), kept),
                         m_patterns.end());
    }
}

int CFileTypeStats::FindType(std::wstring_view fileName) const
{
    for (size_t i = 0; i < m_patterns.size(); ++i) {
        if (m_patterns[i] == kAllFiles || IsTypeOf(m_patterns[i], fileName))
            return static_cast<int>(i);
    }
    return -1;
}

void CFileTypeStats::AddFile(std::wstring_view fileName, uint64_t size)
{
    ++m_totals.files;
    m_totals.bytes += size;
    const int type = FindType(fileName);
    if (type >= 0) {
        TypeFigures& figures = m_perPattern[static_cast<size_t>(type)];
        ++figures.files;
        figures.bytes += size;
    }
}

void CFileTypeStats::AddFile(const WIN32_FIND_DATAW& entry)
{
    AddFile(entry.cFileName, EntrySize(entry));
}

void CFileTypeStats::AddFolder()
{
    ++m_totals.folders;
}

std::wstring_view CFileTypeStats::TypeName(size_t row) const
{
    return row == 0 ? std::wstring_view(kAllFiles) : std::wstring_view(m_patterns.at(row - 1));
}

TypeFigures CFileTypeStats::Figures(size_t row) const
{
    return row == 0 ? TypeFigures{m_totals.files, m_totals.bytes} : m_perPattern.at(row - 1);
}

} // namespace fennix
