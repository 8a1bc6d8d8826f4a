#include "controls/AboutPage.h"

#include "framework/App.h"

void CAboutPage::DoDataExchange(fx::CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    fx::DDX_Control(dx, IDC_ABOUT_WEB, m_webLink);
    fx::DDX_Control(dx, IDC_ABOUT_MAIL, m_mailLink);
}

BOOL CAboutPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_mailLink.SetURL(kMailAddress);
    m_webLink.SetURL(kWebAddress);
    return TRUE;
}

void CAboutPage::ShowModal(UINT templateId, HWND owner)
{
    ::EnableWindow(owner, FALSE);
    CAboutPage about(templateId);
    about.DoModal();
    ::EnableWindow(owner, TRUE);
    ::SetActiveWindow(owner);
}

void CAboutPage::OnOK()
{
    if (!IsInSheet()) {
        CPropertyPage::OnOK();
        return;
    }
    // Confirming the sheet closes the program. The close is posted: the sheet
    // is still inside its own OK handling, which must not find itself gone.
    if (fx::CWinApp* app = fx::CWinApp::Get(); app && app->m_pMainWnd)
        app->m_pMainWnd->PostMessage(WM_CLOSE);
}

void CAboutPage::OnCancel()
{
    if (IsInSheet())
        ::PostQuitMessage(0);
    else
        CPropertyPage::OnCancel();
}

LRESULT CAboutPage::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DESTROY && IsInSheet()) {
        ::PostQuitMessage(0);
        return 0;
    }
    return CPropertyPage::WindowProc(msg, wp, lp);
}
