#include "diskinfo/DriveList.h"

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
    m_images.Reset(::ImageList_Create(16, 16, ILC_COLOR24, 0, 1));
    // Without a mask the icons' transparent parts take this colour.
    ::ImageList_SetBkColor(m_images.Get(), ::GetSysColor(COLOR_WINDOW));

    wchar_t letter = L'A';
    for (DWORD drives = ::GetLogicalDrives(); drives; drives >>= 1, ++letter) {
        const std::wstring root{letter, L':', L'\\'};
        if ((drives & 1) && HoldsFiles(::GetDriveTypeW(root.c_str())))
            Add(root);
    }

    box.SetImageList(m_images.Get());
    for (size_t i = 0; i < m_roots.size(); ++i)
        box.InsertItem(static_cast<int>(i), m_roots[i], static_cast<int>(i));
}

void CDriveList::Add(const std::wstring& root)
{
    CShellGetFileInfo info(root);
    info.GetSmallIcon();
    const fx::CIconHandle icon(info.m_hSmallIcon); // the list keeps a copy
    // Room first, then the icon: a drive the shell has no icon for keeps an
    // empty image, and every later entry still finds its image at its index.
    const int index = static_cast<int>(m_roots.size());
    ::ImageList_SetImageCount(m_images.Get(), static_cast<UINT>(index) + 1);
    ::ImageList_ReplaceIcon(m_images.Get(), index, icon.Get());
    m_roots.push_back(root);
}
