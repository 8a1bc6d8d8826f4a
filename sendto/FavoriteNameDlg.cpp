#include "sendto/FavoriteNameDlg.h"

#include "controls/ButtonLooks.h"
#include "sendto/res/resource.h"

namespace larkway {

CFavoriteNameDlg::CFavoriteNameDlg(HWND owner, std::wstring folder)
    : CDialog(IDD_FAVORITE_NAME, owner), m_strFolder(std::move(folder)), m_strName(m_strFolder)
{
}

void CFavoriteNameDlg::DoDataExchange(fx::CDataExchange& dx)
{
    fx::DDX_Control(dx, IDOK, m_addButton);
    fx::DDX_Control(dx, IDCANCEL, m_cancelButton);
    fx::DDX_Text(dx, IDC_FAVORITE_NAME, m_strName);
}

BOOL CFavoriteNameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetGoOnLook(m_addButton, IDI_SEND_HOT, IDI_SEND);
    SetLeaveLook(m_cancelButton, IDI_CANCEL_HOT, IDI_CANCEL);
    return TRUE;
}

} // namespace larkway
