#include "controls/PathList.h"

#include <algorithm>
#include <new>

CPathList::CPathList() = default;

CPathList::CPathList(const CPathList& other) : m_paths(other.m_paths)
{
}

CPathList& CPathList::operator=(const CPathList& other)
{
    // Copied path by path: a multi-string would end the copy at an empty path.
    if (this != &other) {
        m_paths = other.m_paths;
        m_multiString.reset();
    }
    return *this;
}

CPathList::~CPathList()
{
    RemoveAll();
}

bool CPathList::Add(const std::wstring& path)
{
    try {
        // The vector's own growth: a selection of 100,000 paths costs no more
        // than its size in copies.
        m_paths.push_back(path);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool CPathList::AddMultiString(const wchar_t* text)
{
    while (text && *text) {
        std::wstring path(text);
        if (!Add(path))
            return false;
        text += path.size() + 1;
    }
    return true;
}

const wchar_t* CPathList::GetAt(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_paths[static_cast<size_t>(index)].c_str();
}

void CPathList::RemoveAll()
{
    std::vector<std::wstring>().swap(m_paths);
    m_multiString.reset();
}

const wchar_t* CPathList::GetMultiString()
{
    m_multiString.reset();
    size_t size = 1;
    for (const std::wstring& path : m_paths)
        size += path.size() + 1;
    // An empty list still ends in two NULs: a reader sees an empty string
    // and the end mark, as after any other list.
    size = std::max<size_t>(size, 2);
    m_multiString = std::make_unique<wchar_t[]>(size); // zero-filled
    wchar_t* out = m_multiString.get();
    for (const std::wstring& path : m_paths) {
        path.copy(out, path.size());
        out += path.size() + 1;
    }
    return m_multiString.get();
}
