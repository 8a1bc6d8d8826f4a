#include "diskinfo/DriveList.h"

#include "framework/Dpi.h"
#include "outside/pallashell/ShellGetFileInfo.h"

namespace {
bool HoldsFiles(UINT driveType)
{
    switch (driveType) {
    case DRIVE_REMOVABLE:
    case DRIVE_FIXED:
    case DRIVE_REMOTE:
    case DRIVE_CDROM:
    case DRIVE_RAMDISK:
        return true;
    default: // DRIVE_UNKNOWN, DRIVE_NO_ROOT_DIR
        return false;
    }
}
} // namespace

void CDriveList::Fill(const fx::CComboBoxEx& box)
{
    wchar_t letter = L'A';
    for (DWORD drives = ::GetLogicalDrives(); drives; drives >>= 1, ++letter) {
        const std::wstring root{letter, L':', L'\\'};
        if ((drives & 1) && HoldsFiles(::GetDriveTypeW(root.c_str())))
            m_roots.push_back(root);
    }
    LoadImages(box);
    for (size_t i = 0; i < m_roots.size(); ++i)
        box.InsertItem(static_cast<int>(i), m_roots[i], static_cast<int>(i));
}

void CDriveList::MatchDpi(const fx::CComboBoxEx& box)
{
    if (fx::WindowDpi(box.m_hWnd) != m_imagesDpi)
        LoadImages(box);
}

void CDriveList::LoadImages(const fx::CComboBoxEx& box)
{
    m_imagesDpi = fx::WindowDpi(box.m_hWnd);
    const int size = ::GetSystemMetricsForDpi(SM_CXSMICON, m_imagesDpi);
    fx::CImageListHandle images(::ImageList_Create(size, size, ILC_COLOR24, 0, 1));
    // Without a mask the icons' transparent parts take this colour.
    ::ImageList_SetBkColor(images.Get(), ::GetSysColor(COLOR_WINDOW));
    for (size_t index = 0; index < m_roots.size(); ++index) {
        CShellGetFileInfo info(m_roots[index]);
        info.GetSmallIcon();
        const fx::CIconHandle icon(info.m_hSmallIcon); // the list keeps a copy
        // Room first, then the icon: a drive the shell has no icon for keeps
        // an empty image, and every later entry still finds its image at its index.
        ::ImageList_SetImageCount(images.Get(), static_cast<UINT>(index) + 1);
        ::ImageList_ReplaceIcon(images.Get(), static_cast<int>(index), icon.Get());
    }
    box.SetImageList(images.Get());
    m_images = std::move(images); // the old list goes once the box has let go of it
}
