// Checks for the tests run at 96 DPI and again at 144: whether texts fit their controls, icon sizes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// The DPI a run is meant to have (TEST_DPI, 96 when unset): a run whose prefix is not as meant fails.
UINT IntendedDpi();
// Every visible static text, push button, check box, radio button, group box and icon button (icon and
// caption together) under top, and top itself, whose text does not fit it, with the room needed and had.
std::vector<std::wstring> ClippedTexts(HWND top);
SIZE IconImageSize(HICON icon); // 0 x 0 for no icon
int AtWindowDpi(HWND hwnd, int pixels); // pixels at 96 DPI at the window's DPI, rounded as the system does
// The parent's items ids that are no icon button or whose icons are not of the layout size at its DPI.
std::vector<std::wstring> IconButtonsNotSizedFor(HWND parent, const std::vector<int>& ids, int layoutSize);
// Every icon resource of the program that lacks an image of one of the sizes (its id and the sizes it holds).
std::vector<std::wstring> IconsWithoutSizes(const std::vector<int>& sizes);

} // namespace testing_support
