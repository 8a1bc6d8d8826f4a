// The options sheet's page that organises the favourites: reorder, rename,
// retarget, delete. It works on a copy of the send dialog's favourites and
// hands the copy back on Apply (or OK); Cancel leaves the dialog's alone.
#pragma once
#include "controls/IconButton.h"
#include "framework/PropertySheet.h"
#include "sendto/FavoriteListCtrl.h"
#include "sendto/FavoritesStore.h"

#include <string>
#include <vector>

namespace larkway {

class CSendDialog;

class CMirelFavoritesPage : public fx::CPropertyPage {
public:
    explicit CMirelFavoritesPage(CSendDialog& dialog);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fx::CDataExchange& dx) override;
    BOOL OnApply() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    using Move = size_t (*)(std::vector<Favorite>&, size_t);

    bool OnCommand(UINT id, UINT code) override;
    void OnItemChanged(const NMLISTVIEW& change);
    void OnNameChanged();
    void OnTargetChanged();
    void MoveSelected(Move move);
    void DeleteSelected();
    void ClearAll();
    void BrowseForTarget();
    void Refill();
    void FocusList() const;
    void MarkChanged();

    CSendDialog& m_dialog;
    std::vector<Favorite> m_favorites;
    CIconButton m_browseButton;
    CFavoriteListCtrl m_list;
    CIconButton m_upButton;
    CIconButton m_downButton;
    CIconButton m_clearButton;
    CIconButton m_deleteButton;
    std::wstring m_strTarget;
    std::wstring m_strName;
    // The page holds changes the dialog has not been given yet (the sheet's
    // modified mark also follows the target edit, see OnTargetChanged).
    bool m_bChanged = false;
};

} // namespace larkway
