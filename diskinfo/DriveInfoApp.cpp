#include "diskinfo/DriveInfoApp.h"

#include "common/DropList.h"
#include "common/SelectedPath.h"
#include "diskinfo/DriveInfoDlg.h"
#include "diskinfo/DriveRoot.h"

namespace dovrin {

void CDriveInfoApp::TakeStartDrive()
{
    const std::optional<std::vector<std::wstring>> paths = TakeStartSelection();
    std::optional<std::wstring> first;
    if (paths && !paths->empty())
        first = NormalizeSelectedPath(paths->front());
    // A first path that names no file (a device, a relative path) names no drive either.
    m_driveRoot = first ? PathRoot(*first) : CurrentDriveRoot();
}

BOOL CDriveInfoApp::InitInstance()
{
    TakeStartDrive();
    CDriveInfoDlg dialog(*this);
    return RunMainDialog(dialog);
}

} // namespace dovrin
