#include "sendto/OptionsSheet.h"

#include "framework/Resources.h"
#include "sendto/SendDialog.h"
#include "sendto/res/resource.h"

namespace larkway {

CMirelPropertySheet::CMirelPropertySheet(CSendDialog& dialog, Page firstPage)
    : CPropertySheet(fx::LoadString(IDS_OPTIONS), dialog.m_hWnd, firstPage), m_optionsPage(dialog),
      m_favoritesPage(dialog)
{
    AddApplyButton();
    AddPage(&m_optionsPage);
    AddPage(&m_favoritesPage);
}

} // namespace larkway
