#include "outside/pallashell/BrowseForFolder.h"

#include "framework/Handle.h"
#include "framework/Resources.h"
#include "framework/Trace.h"
#include "outside/pallashell/ComInit.h"

#include <shlobj.h>

#include <utility>

namespace {

using CPidl = fx::CCoTaskMemory<PIDLIST_ABSOLUTE>;

// The file-system path of a shell item; empty for virtual folders (Control
// Panel, the printers). The platform cannot say how long the path is, so a
// path that does not fit the usual size gets the longest one allowed.
std::wstring PathOf(PCIDLIST_ABSOLUTE pidl)
{
    const DWORD longestPath = 32768;
    for (DWORD size = MAX_PATH;; size = longestPath) {
        std::wstring path(size, L'\0');
        if (::SHGetPathFromIDListEx(pidl, path.data(), size, GPFIDL_DEFAULT)) {
            path.resize(path.find(L'\0'));
            return path;
        }
        if (size == longestPath)
            return std::wstring();
    }
}

} // namespace

CBrowseForFolder::CBrowseForFolder(HWND owner, std::wstring title) : m_owner(owner), m_title(std::move(title)) {}

bool CBrowseForFolder::SelectFolder()
{
    m_selected.clear();
    EnsureComOnThisThread();
    // The platform writes the chosen item's display name here and assumes MAX_PATH.
    std::wstring displayName(MAX_PATH, L'\0');
    BROWSEINFOW info{};
    info.hwndOwner = m_owner;
    info.pszDisplayName = displayName.data();
    info.lpszTitle = m_title.c_str();
    info.ulFlags = m_flags;
    info.lpfn = &CBrowseForFolder::Callback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    CPidl chosen(::SHBrowseForFolderW(&info));
    if (!chosen)
        return false;
    m_selected = PathOf(chosen.Get());
    return !m_selected.empty();
}

void CBrowseForFolder::OnInitialized(HWND picker)
{
    if (m_initial.empty())
        return;
    auto select = [&] {
        return ::SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(m_initial.c_str())) != 0;
    };
    // Wine matches the folder against its tree byte for byte, access times
    // included, and looking the folder up touches those very times: the first
    // attempt now and then misses, the second finds it. Windows' answer is
    // not documented, so there a second call merely selects the folder again.
    if (!select())
        select();
}

int CALLBACK CBrowseForFolder::Callback(HWND hwnd, UINT msg, LPARAM lp, LPARAM data)
{
    // Called from the picker's window procedure: nothing may escape.
    try {
        auto* self = reinterpret_cast<CBrowseForFolder*>(data);
        if (msg == BFFM_INITIALIZED)
            self->OnInitialized(hwnd);
        else if (msg == BFFM_SELCHANGED && (self->m_flags & BIF_STATUSTEXT))
            ::SendMessageW(hwnd, BFFM_SETSTATUSTEXTW, 0,
                           reinterpret_cast<LPARAM>(PathOf(reinterpret_cast<PCIDLIST_ABSOLUTE>(lp)).c_str()));
    } catch (...) {
        fx::TraceCaughtException(L"folder picker");
    }
    return 0;
}

CSBDestination::CSBDestination(HWND owner, int titleId)
    : CBrowseForFolder(owner, fx::LoadString(static_cast<UINT>(titleId)))
{
}
