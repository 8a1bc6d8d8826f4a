// The favourites page's list: one row per favourite, its name as the row's
// text. Two favourites may share a name, so the pointer resting on a row
// shows that favourite's target in a tip.
#pragma once
#include "framework/Controls.h"
#include "sendto/FavoritesStore.h"

#include <functional>
#include <string>
#include <vector>

namespace larkway {

class CFavoriteListCtrl : public fx::CWnd {
public:
    // Gives the tip of a row (0 <= row < the rows filled).
    explicit CFavoriteListCtrl(std::function<std::wstring(int row)> tipText) : m_tipText(std::move(tipText)) {}

    // Once attached: the hot-underline look and the tip.
    void SetUp();
    // One row per favourite, in order; no row selected.
    void Fill(const std::vector<Favorite>& favorites);
    // -1 when no row is selected.
    int GetSelectedRow() const;
    // Selects and focuses the row and scrolls it into view; the list tells
    // its owner of the change (LVN_ITEMCHANGED).
    void SelectRow(int row) const;
    void SetRowText(int row, const std::wstring& text) const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void TipForRowAt(POINT point);

    std::function<std::wstring(int)> m_tipText;
    fx::CToolTipCtrl m_tip;
    int m_tipRow = -1; // the row the tip speaks of; -1: none
};

} // namespace larkway
