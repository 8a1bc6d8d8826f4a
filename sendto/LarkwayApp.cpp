#include "sendto/LarkwayApp.h"

#include "sendto/SendDialog.h"

namespace larkway {

CLarkwayApp::CLarkwayApp()
{
    m_profile.SetRegistryKey(L"Corvale", L"Larkway");
}

void CLarkwayApp::LoadProfile()
{
    SeedFavorites(m_profile);
    m_settings = LoadSettings(m_profile);
    m_loadedFavorites = m_settings.favorites;
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
    return RunMainDialog(dialog);
}

int CLarkwayApp::ExitInstance(int exitCode)
{
    if (m_bGivenBack) {
        // Another Larkway may have saved its favourites since this one started.
        LarkwaySettings settings = m_settings;
        settings.favorites = MergeFavorites(m_loadedFavorites, m_settings.favorites, LoadSettings(m_profile).favorites);
        SaveSettings(m_profile, settings);
    }
    return exitCode;
}

} // namespace larkway
