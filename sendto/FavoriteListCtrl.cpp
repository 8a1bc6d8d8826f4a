#include "sendto/FavoriteListCtrl.h"

#include <windowsx.h>

namespace larkway {

void CFavoriteListCtrl::SetUp()
{
    ListView_SetExtendedListViewStyleEx(m_hWnd, LVS_EX_UNDERLINEHOT, LVS_EX_UNDERLINEHOT);
    if (m_tip.Create(GetParent()))
        m_tip.AddTool(m_hWnd, L"");
}

void CFavoriteListCtrl::Fill(const std::vector<Favorite>& favorites)
{
    ListView_DeleteAllItems(m_hWnd);
    for (size_t i = 0; i < favorites.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(favorites[i].name.c_str());
        ListView_InsertItem(m_hWnd, &item);
    }
    // The rows under the pointer are others now.
    m_tipRow = -1;
    m_tip.UpdateTipText(GetParent(), reinterpret_cast<UINT_PTR>(m_hWnd), L"");
}

int CFavoriteListCtrl::GetSelectedRow() const
{
    return ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED);
}

void CFavoriteListCtrl::SelectRow(int row) const
{
    const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(m_hWnd, row, state, state);
    ListView_EnsureVisible(m_hWnd, row, FALSE);
}

void CFavoriteListCtrl::SetRowText(int row, const std::wstring& text) const
{
    ListView_SetItemText(m_hWnd, row, 0, const_cast<wchar_t*>(text.c_str()));
}

void CFavoriteListCtrl::TipForRowAt(POINT point)
{
    LVHITTESTINFO hit{};
    hit.pt = point;
    const int found = ListView_HitTest(m_hWnd, &hit);
    const int row = (hit.flags & LVHT_ONITEM) ? found : -1;
    if (row == m_tipRow)
        return;
    m_tipRow = row;
    // A tip left up would speak of the row the pointer has left.
    m_tip.SendMessage(TTM_POP);
    m_tip.UpdateTipText(GetParent(), reinterpret_cast<UINT_PTR>(m_hWnd), row >= 0 ? m_tipText(row) : L"");
}

LRESULT CFavoriteListCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_MOUSEMOVE && m_tip.m_hWnd)
        TipForRowAt(POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    return Default(msg, wp, lp);
}

} // namespace larkway
