#include "sendto/OptionsPage.h"

#include "sendto/FavoritesStore.h"
#include "sendto/SendDialog.h"
#include "sendto/res/resource.h"

#include <commctrl.h>

namespace larkway {

CMirelOptionsPage::CMirelOptionsPage(CSendDialog& dialog) : CPropertyPage(IDD_OPTIONS), m_dialog(dialog) {}

void CMirelOptionsPage::DoDataExchange(fx::CDataExchange& dx)
{
    fx::DDX_Text(dx, IDC_FAVORITE_COUNT, m_nFavorites, kFewestFavorites, kMostFavorites);
    fx::DDX_Check(dx, IDC_SIZE_FOLDERS, m_sizeFolders);
}

BOOL CMirelOptionsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    ::SendDlgItemMessageW(m_hWnd, IDC_FAVORITE_COUNT_SPIN, UDM_SETBUDDY,
                          reinterpret_cast<WPARAM>(GetDlgItem(IDC_FAVORITE_COUNT)), 0);
    Load();
    return TRUE;
}

void CMirelOptionsPage::Load()
{
    m_nFavorites = m_dialog.Settings().maxFavorites;
    ::SendDlgItemMessageW(m_hWnd, IDC_FAVORITE_COUNT_SPIN, UDM_SETRANGE32, kFewestFavorites, kMostFavorites);
    m_sizeFolders = m_dialog.SizeFolders() ? 1 : 0;
    UpdateData(false);
}

BOOL CMirelOptionsPage::OnApply()
{
    if (!CPropertyPage::OnApply())
        return FALSE;
    m_dialog.SetOptions(m_nFavorites, m_sizeFolders != 0);
    return TRUE;
}

bool CMirelOptionsPage::OnCommand(UINT id, UINT code)
{
    if (id == IDC_SET_DEFAULTS && code == BN_CLICKED) {
        // What the page shows now is what the send dialog has.
        Load();
        SetModified(false);
        return true;
    }
    // The edit reports the page's own writes as changes too.
    if ((id == IDC_FAVORITE_COUNT && code == EN_CHANGE && !IsShowingValues()) ||
        (id == IDC_SIZE_FOLDERS && code == BN_CLICKED)) {
        SetModified();
        return true;
    }
    return CPropertyPage::OnCommand(id, code);
}

} // namespace larkway
