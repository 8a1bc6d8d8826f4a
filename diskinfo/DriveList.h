// The machine's drives as the drive list shows them: one root per entry, in
// drive-letter order, each with the shell's small icon at the entry's index,
// at the small icon size of the box's DPI.
#pragma once
#include "framework/Controls.h"
#include "framework/Handle.h"

#include <string>
#include <vector>

class CDriveList {
public:
    // Reads the drives that can hold files and gives the box one entry per
    // drive. Called once: the box keeps using this object's image list.
    void Fill(const fx::CComboBoxEx& box);
    // Gives the box the icons at its DPI's size when they are at another's.
    void MatchDpi(const fx::CComboBoxEx& box);

    const std::vector<std::wstring>& Roots() const { return m_roots; }

private:
    void LoadImages(const fx::CComboBoxEx& box);

    std::vector<std::wstring> m_roots;
    fx::CImageListHandle m_images;
    UINT m_imagesDpi = 0; // the DPI the images are sized for
};
