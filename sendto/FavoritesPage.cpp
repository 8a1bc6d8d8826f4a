#include "sendto/FavoritesPage.h"

#include "common/SelectedPath.h"
#include "controls/ButtonLooks.h"
#include "framework/LongPath.h"
#include "framework/MessageBox.h"
#include "outside/pallashell/BrowseForFolder.h"
#include "sendto/SendDialog.h"
#include "sendto/res/resource.h"

#include <shlobj.h>

#include <optional>

namespace larkway {

namespace {

// One place up; the first goes to the end. Returns where it lands.
size_t MoveUp(std::vector<Favorite>& favorites, size_t index)
{
    Favorite moved = std::move(favorites[index]);
    favorites.erase(favorites.begin() + static_cast<std::ptrdiff_t>(index));
    const size_t to = index > 0 ? index - 1 : favorites.size();
    favorites.insert(favorites.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
    return to;
}

// One place down; the last goes to the top. Returns where it lands.
size_t MoveDown(std::vector<Favorite>& favorites, size_t index)
{
    const size_t last = favorites.size() - 1;
    Favorite moved = std::move(favorites[index]);
    favorites.erase(favorites.begin() + static_cast<std::ptrdiff_t>(index));
    const size_t to = index < last ? index + 1 : 0;
    favorites.insert(favorites.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
    return to;
}

// The full path of the folder a typed target names; none unless it is an
// existing folder given by a full path. A relative path would follow the
// current folder, which browsing changes; wildcards and devices name no folder.
std::optional<std::wstring> ExistingFolder(const std::wstring& typed)
{
    std::optional<std::wstring> full = NormalizeSelectedPath(typed);
    if (!full)
        return std::nullopt;
    const DWORD attributes = ::GetFileAttributesW(fx::ExtendedLengthPath(*full).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return full;
}

} // namespace

CMirelFavoritesPage::CMirelFavoritesPage(CSendDialog& dialog)
    : CPropertyPage(IDD_ORGANIZE_FAVORITES),
      m_dialog(dialog),
      m_list([this](int row) { return m_favorites[static_cast<size_t>(row)].target; })
{
}

void CMirelFavoritesPage::DoDataExchange(fx::CDataExchange& dx)
{
    fx::DDX_Control(dx, IDC_BROWSE_FAVORITE, m_browseButton);
    fx::DDX_Control(dx, IDC_FAVORITE_LIST, m_list);
    fx::DDX_Control(dx, IDC_MOVE_UP, m_upButton);
    fx::DDX_Control(dx, IDC_MOVE_DOWN, m_downButton);
    fx::DDX_Control(dx, IDC_CLEAR_FAVORITES, m_clearButton);
    fx::DDX_Control(dx, IDC_DELETE_FAVORITE, m_deleteButton);
    fx::DDX_Text(dx, IDC_FAVORITE_TARGET, m_strTarget);
    fx::DDX_Text(dx, IDC_FAVORITE_NAME, m_strName);
}

BOOL CMirelFavoritesPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_list.SetUp();
    SetGoOnLook(m_upButton, IDI_UP_HOT, IDI_UP);
    SetGoOnLook(m_downButton, IDI_DOWN_HOT, IDI_DOWN);
    SetGoOnLook(m_deleteButton, IDI_CANCEL_HOT, IDI_CANCEL);
    SetGoOnLook(m_clearButton, IDI_CLEAR_HOT, IDI_CLEAR);
    SetGoOnLook(m_browseButton, IDI_BROWSE_HOT, IDI_BROWSE);
    m_favorites = m_dialog.Settings().favorites;
    Refill();
    return TRUE;
}

void CMirelFavoritesPage::Refill()
{
    m_list.Fill(m_favorites);
    // The rows went without telling: nothing is selected now.
    m_browseButton.EnableWindow(false);
}

void CMirelFavoritesPage::MarkChanged()
{
    m_bChanged = true;
    SetModified(true);
}

void CMirelFavoritesPage::FocusList() const
{
    ::SendMessageW(GetParent(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_list.m_hWnd), TRUE);
}

void CMirelFavoritesPage::OnItemChanged(const NMLISTVIEW& change)
{
    if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) && change.iItem >= 0 &&
        static_cast<size_t>(change.iItem) < m_favorites.size()) {
        const Favorite& favorite = m_favorites[static_cast<size_t>(change.iItem)];
        m_strName = favorite.name;
        m_strTarget = favorite.target;
        UpdateData(false);
    }
    m_browseButton.EnableWindow(m_list.GetSelectedRow() >= 0);
}

void CMirelFavoritesPage::OnNameChanged()
{
    m_strName = fx::WindowText(GetDlgItem(IDC_FAVORITE_NAME));
    const int row = m_list.GetSelectedRow();
    if (row < 0)
        return;
    Favorite& favorite = m_favorites[static_cast<size_t>(row)];
    // A name the registry would read back cut short is not taken.
    if (m_strName == favorite.name || !StoresIntact({m_strName, favorite.target}))
        return;
    favorite.name = m_strName;
    m_list.SetRowText(row, m_strName);
    MarkChanged();
}

void CMirelFavoritesPage::OnTargetChanged()
{
    m_strTarget = fx::WindowText(GetDlgItem(IDC_FAVORITE_TARGET));
    const int row = m_list.GetSelectedRow();
    if (row < 0)
        return;
    Favorite& favorite = m_favorites[static_cast<size_t>(row)];
    const std::optional<std::wstring> folder = ExistingFolder(m_strTarget);
    if (!folder || !StoresIntact({favorite.name, *folder})) {
        // The favourite keeps its target, and the sheet's Apply says so,
        // unless other changes of the page still wait to be applied.
        SetModified(m_bChanged);
        return;
    }
    // Showing a favourite puts its own target here: the page counts as
    // modified then too, though there is nothing new to hand over.
    if (*folder != favorite.target) {
        favorite.target = *folder;
        m_bChanged = true;
    }
    SetModified(true);
}

void CMirelFavoritesPage::MoveSelected(Move move)
{
    const int row = m_list.GetSelectedRow();
    if (row >= 0) {
        const size_t to = move(m_favorites, static_cast<size_t>(row));
        Refill();
        MarkChanged();
        m_list.SelectRow(static_cast<int>(to));
    }
    FocusList();
}

void CMirelFavoritesPage::DeleteSelected()
{
    if (fx::MessageBox(m_hWnd, L"Delete Item?", L"Confirm", MB_OKCANCEL | MB_ICONSTOP) != IDOK)
        return;
    const int row = m_list.GetSelectedRow();
    if (row >= 0) {
        m_favorites.erase(m_favorites.begin() + row);
        Refill();
        MarkChanged();
    }
    // The row that took the deleted one's place, or the new last one.
    const int count = static_cast<int>(m_favorites.size());
    const int next = row < 0 ? 0 : (row < count ? row : row - 1);
    if (next >= 0 && next < count)
        m_list.SelectRow(next);
    FocusList();
}

void CMirelFavoritesPage::ClearAll()
{
    if (fx::MessageBox(m_hWnd, L"Delete all the favorites-Proceed?", L"**Confirm Delete All**",
                       MB_OKCANCEL | MB_ICONSTOP) == IDOK) {
        m_favorites.clear();
        Refill();
        MarkChanged();
    }
    FocusList();
}

void CMirelFavoritesPage::BrowseForTarget()
{
    if (m_list.GetSelectedRow() < 0)
        return;
    CSBDestination picker(m_hWnd, std::wstring(L"Select Favorite DIR"));
    picker.SetFlags(BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
    picker.SetInitialSelection(m_strTarget);
    if (!picker.SelectFolder())
        return;
    // Shown in the target edit, whose change takes it as any typed target.
    m_strTarget = picker.GetSelectedFolder();
    UpdateData(false);
}

BOOL CMirelFavoritesPage::OnApply()
{
    if (!CPropertyPage::OnApply())
        return FALSE;
    m_dialog.SetFavorites(m_favorites);
    m_bChanged = false;
    return TRUE;
}

bool CMirelFavoritesPage::OnCommand(UINT id, UINT code)
{
    if (code == EN_CHANGE && id == IDC_FAVORITE_NAME) {
        OnNameChanged();
        return true;
    }
    if (code == EN_CHANGE && id == IDC_FAVORITE_TARGET) {
        OnTargetChanged();
        return true;
    }
    if (code != BN_CLICKED)
        return CPropertyPage::OnCommand(id, code);
    switch (id) {
    case IDC_MOVE_UP:
        MoveSelected(MoveUp);
        return true;
    case IDC_MOVE_DOWN:
        MoveSelected(MoveDown);
        return true;
    case IDC_DELETE_FAVORITE:
        DeleteSelected();
        return true;
    case IDC_CLEAR_FAVORITES:
        ClearAll();
        return true;
    case IDC_BROWSE_FAVORITE:
        BrowseForTarget();
        return true;
    }
    return CPropertyPage::OnCommand(id, code);
}

LRESULT CMirelFavoritesPage::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lp);
        if (header->hwndFrom == m_list.m_hWnd && header->code == LVN_ITEMCHANGED) {
            OnItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lp));
            return 0;
        }
    }
    return CPropertyPage::WindowProc(msg, wp, lp);
}

} // namespace larkway
