#include "diskinfo/DriveList.h"

#include "framework/Dpi.h"

#include <algorithm>

namespace dovrin {

void CDriveList::List(const fx::CComboBoxEx& box)
{
    // The bit mask asks no drive anything: a drive slow to answer cannot hold it up.
    wchar_t letter = L'A';
    for (DWORD drives = ::GetLogicalDrives(); drives; drives >>= 1, ++letter) {
        if (drives & 1) {
            m_roots.push_back({letter, L':', L'\\'});
            m_drives.emplace_back();
        }
    }
    LoadImages(box);
    for (size_t i = 0; i < m_roots.size(); ++i)
        box.InsertItem(static_cast<int>(i), m_roots[i], I_IMAGENONE);
}

int CDriveList::IndexOf(const std::wstring& root) const
{
    const auto found = std::find(m_roots.begin(), m_roots.end(), root);
    return found == m_roots.end() ? -1 : static_cast<int>(found - m_roots.begin());
}

void CDriveList::SetIcon(const fx::CComboBoxEx& box, const std::wstring& root, fx::CIconHandle icon)
{
    const int index = IndexOf(root);
    if (index < 0)
        return;
    Drive& drive = m_drives[static_cast<size_t>(index)];
    drive.icon = std::move(icon);
    drive.iconRead = true;
    ::ImageList_ReplaceIcon(m_images.Get(), index, drive.icon.Get()); // the list keeps a copy
    ShowImage(box, index);
}

int CDriveList::Remove(const fx::CComboBoxEx& box, const std::wstring& root)
{
    const int index = IndexOf(root);
    if (index < 0)
        return -1;
    m_roots.erase(m_roots.begin() + index);
    m_drives.erase(m_drives.begin() + index);
    ::ImageList_Remove(m_images.Get(), index);
    box.SendMessage(CBEM_DELETEITEM, static_cast<WPARAM>(index));
    // Every later entry moved up one, and its image with it.
    for (int later = index; later < static_cast<int>(m_roots.size()); ++later)
        ShowImage(box, later);
    return index;
}

void CDriveList::ShowImage(const fx::CComboBoxEx& box, int index) const
{
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    item.iItem = index;
    item.iImage = item.iSelectedImage = m_drives[static_cast<size_t>(index)].iconRead ? index : I_IMAGENONE;
    box.SendMessage(CBEM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
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
    // Room for every entry first: an icon not read yet, or one the shell
    // did not have, leaves an empty image, and every entry still finds its
    // image at its index.
    ::ImageList_SetImageCount(images.Get(), static_cast<UINT>(m_drives.size()));
    for (size_t index = 0; index < m_drives.size(); ++index)
        if (m_drives[index].icon)
            ::ImageList_ReplaceIcon(images.Get(), static_cast<int>(index), m_drives[index].icon.Get());
    box.SetImageList(images.Get());
    m_images = std::move(images); // the old list goes once the box has let go of it
}

} // namespace dovrin
