// Larkway's program object: it loads the settings and favourites, runs the
// send dialog, and saves what the dialog gave back.
#pragma once
#include "framework/App.h"
#include "framework/Profile.h"
#include "sendto/FavoritesStore.h"

namespace larkway {

class CLarkwayApp : public fx::CWinApp {
public:
    CLarkwayApp();

    // The settings for the run; the send dialog takes a copy when it starts
    // and gives it back when it changes them and when it goes.
    const LarkwaySettings& Settings() const { return m_settings; }
    void SetSettings(const LarkwaySettings& settings);

    // Seeds, then loads the profile (start-up steps before the dialog).
    void LoadProfile();

protected:
    BOOL InitInstance() override;
    int ExitInstance(int exitCode) override;

private:
    fx::CProfile m_profile;
    LarkwaySettings m_settings;
    std::vector<Favorite> m_loadedFavorites; // as the profile held them at start
    // Only settings the dialog gave back are saved: a run that ended before
    // the dialog took them leaves the profile as it found it.
    bool m_bGivenBack = false;
};

} // namespace larkway
