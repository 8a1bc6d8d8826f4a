#include "diskinfo/DriveInfoApp.h"

#include "controls/DropList.h"
#include "diskinfo/DriveInfoDlg.h"
#include "diskinfo/DriveRoot.h"

void CDriveInfoApp::TakeStartDrive()
{
    const std::optional<std::vector<std::wstring>> paths = TakeClipboardDropList();
    m_driveRoot = paths && !paths->empty() ? DriveRootOf(paths->front()) : CurrentDriveRoot();
}

BOOL CDriveInfoApp::InitInstance()
{
    TakeStartDrive();
    CDriveInfoDlg dialog(*this);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE; // no message loop: the program ends with its dialog
}
