#include "properties/PropertiesApp.h"

#include "framework/Resources.h"
#include "properties/MirelPropertyFrame.h"
#include "properties/MirelPropertySheet.h"
#include "properties/res/resource.h"

namespace fennix {

BOOL CPropertiesApp::InitInstance()
{
    CreateFrame();
    // Without a frame there is nothing to show and nothing to wait for.
    return m_pFrame && m_pFrame->m_hWnd ? TRUE : FALSE;
}

void CPropertiesApp::CreateFrame()
{
    if (!m_pFrame) {
        m_pFrame = new CMirelPropertyFrame;
        m_pMainWnd = m_pFrame;
        // Topmost from birth: a z-order change made while the window is still
        // being created does not hold everywhere (Wine ignores it).
        if (m_pFrame->Create(fx::LoadString(IDS_SHEET_CAPTION), WS_POPUP | WS_CAPTION | WS_SYSMENU, RECT{0, 0, 0, 0},
                             nullptr, WS_EX_TOPMOST))
            m_pFrame->CenterWindow();
    }
    // While the first item is looked up, the sheet shows the frame: with its
    // page when the answer is quick, without it when the drive is slow.
    CMirelPropertySheet* sheet = m_pFrame->Sheet();
    if (sheet && !m_pFrame->IsWindowVisible() && !sheet->IsLookingUp())
        sheet->ShowMainWindow();
}

CPropertiesApp::~CPropertiesApp()
{
    if (m_pFrame && m_pFrame->m_hWnd)
        m_pFrame->DestroyWindow();
    delete m_pFrame;
}

} // namespace fennix
