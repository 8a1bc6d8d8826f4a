// The machine's drives as the drive list shows them: one root per entry, in
// drive-letter order, each with the shell's small icon at the entry's index,
// at the small icon size of the box's DPI. The letters are listed at once;
// what needs the drive itself (whether it holds files, its icon) comes later,
// drive by drive, as the drive answers.
#pragma once
#include "framework/Controls.h"
#include "framework/Handle.h"

#include <string>
#include <vector>

namespace dovrin {

class CDriveList {
public:
    // Gives the box one entry per drive letter in use, each without an image
    // until its icon comes. Called once: the box keeps this object's images.
    void List(const fx::CComboBoxEx& box);
    // The drive at root holds files: its entry shows icon (null: an empty image).
    void SetIcon(const fx::CComboBoxEx& box, const std::wstring& root, fx::CIconHandle icon);
    // The drive at root holds no files (a letter with nothing behind it): its
    // entry goes. Returns the index it had, or -1.
    int Remove(const fx::CComboBoxEx& box, const std::wstring& root);
    // Gives the box the icons at its DPI's size when they are at another's.
    void MatchDpi(const fx::CComboBoxEx& box);

    const std::vector<std::wstring>& Roots() const { return m_roots; }

private:
    struct Drive {
        fx::CIconHandle icon;
        bool iconRead = false;
    };
    int IndexOf(const std::wstring& root) const;
    void LoadImages(const fx::CComboBoxEx& box);
    void ShowImage(const fx::CComboBoxEx& box, int index) const;

    std::vector<std::wstring> m_roots;
    std::vector<Drive> m_drives; // beside m_roots, entry by entry
    fx::CImageListHandle m_images;
    UINT m_imagesDpi = 0; // the DPI the images are sized for
};

} // namespace dovrin
