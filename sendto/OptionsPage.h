// The options sheet's first page: how many favourites "Add To Favorites"
// accepts, and whether selected folders are sized.
#pragma once
#include "framework/PropertySheet.h"

namespace larkway {

class CSendDialog;

class CMirelOptionsPage : public fx::CPropertyPage {
public:
    explicit CMirelOptionsPage(CSendDialog& dialog);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(fx::CDataExchange& dx) override;
    BOOL OnApply() override;
    bool OnCommand(UINT id, UINT code) override;

private:
    // Shows the values in effect in the send dialog.
    void Load();

    CSendDialog& m_dialog;
    int m_nFavorites = 0;
    int m_sizeFolders = 0;
};

} // namespace larkway
