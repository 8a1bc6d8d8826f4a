#include "sendto/FavoriteNameDlg.h"

#include "sendto/res/resource.h"

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
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0);
    m_addButton.SetIcons(IDI_SEND_HOT, IDI_SEND, 32, 32);
    m_addButton.SetHoverTextColor(red, false);
    m_addButton.SetNormalTextColor(green, false);
    m_cancelButton.SetIcons(IDI_CANCEL_HOT, IDI_CANCEL, 32, 32);
    m_cancelButton.SetHoverTextColor(green, false);
    m_cancelButton.SetNormalTextColor(red, false);
    return TRUE;
}
