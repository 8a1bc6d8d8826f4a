#include "sendto/LarkwayApp.h"

#include "sendto/SendDialog.h"

CLarkwayApp::CLarkwayApp()
{
    m_profile.SetRegistryKey(L"Corvale", L"Larkway");
}

void CLarkwayApp::LoadProfile()
{
    SeedFavorites(m_profile);
    m_settings = LoadSettings(m_profile);
}

void CLarkwayApp::SetSettings(const LarkwaySettings& settings)
{
    m_settings = settings;
    m_bGivenBack = true;
}

BOOL CLarkwayApp::InitInstance()
{
    LoadProfile();
    CSendDialog dialog(*this);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE; // no message loop: the program ends with its dialog
}

int CLarkwayApp::ExitInstance(int exitCode)
{
    if (m_bGivenBack)
        SaveSettings(m_profile, m_settings);
    return exitCode;
}
