// Larkway's options: a modal sheet over the send dialog with the options page
// and the page that organises the favourites. The pages work on the send
// dialog's settings for the run, which reach the registry at exit.
#pragma once
#include "framework/PropertySheet.h"
#include "sendto/FavoritesPage.h"
#include "sendto/OptionsPage.h"

namespace larkway {

class CSendDialog;

class CMirelPropertySheet : public fx::CPropertySheet {
public:
    enum Page { OptionsPage = 0, FavoritesPage = 1 };

    // The sheet opens on firstPage, owned by the dialog; run it with DoModal.
    CMirelPropertySheet(CSendDialog& dialog, Page firstPage);

private:
    CMirelOptionsPage m_optionsPage;
    CMirelFavoritesPage m_favoritesPage;
};

} // namespace larkway
