// Checks for the tests run at more than one DPI (tests/CMakeLists.txt runs
// them at 96 and again at 144): whether texts fit their controls, and the
// sizes of icons.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// The DPI a run is meant to have (TEST_DPI in the environment, 96 when
// unset), so that a run whose prefix was not set up as meant fails rather
// than checking 96 DPI twice.
UINT IntendedDpi();

// Every visible static text, push button, check box, radio button, group box
// and icon button (its icon and caption together) under top, and top itself,
// whose text does not fit it; each described for a failure message, with the
// room needed and the room there is. Empty when every text fits.
std::vector<std::wstring> ClippedTexts(HWND top);

// The width and height of an icon's image; 0 x 0 for no icon.
SIZE IconImageSize(HICON icon);
// Pixels at 96 DPI at the DPI of hwnd, rounded as the system rounds.
int AtWindowDpi(HWND hwnd, int pixels);

// Every icon button among the parent's items ids whose two icons are not
// images of the layout size (pixels at 96 DPI) at the parent's DPI, or that
// is no icon button; each described for a failure message.
std::vector<std::wstring> IconButtonsNotSizedFor(HWND parent, const std::vector<int>& ids, int layoutSize);

// Every icon resource of the program that lacks an image of one of the
// sizes, described for a failure message (its id and the sizes it holds).
std::vector<std::wstring> IconsWithoutSizes(const std::vector<int>& sizes);

} // namespace testing_support
