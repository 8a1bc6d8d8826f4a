#include "properties/FilterRule.h"

namespace fennix {

bool IsAcceptableFilter(std::wstring_view filter)
{
    if (filter.empty())
        return true;
    if (filter.size() < 3 || filter.front() != L'*')
        return false;
    const std::wstring_view leadingAllFiles = L"*.*";
    size_t from = filter.substr(0, leadingAllFiles.size()) == leadingAllFiles ? leadingAllFiles.size() : 1;
    for (size_t star = filter.find(L'*', from); star != std::wstring_view::npos; star = filter.find(L'*', star + 1)) {
        if (filter.size() - star < 3 || filter[star + 1] != L'.')
            return false;
        if (std::wstring_view(L" .;,*").find(filter[star + 2]) != std::wstring_view::npos)
            return false;
    }
    return true;
}

} // namespace fennix
