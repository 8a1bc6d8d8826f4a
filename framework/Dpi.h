// Sizes of what the programs draw themselves are given in pixels at 96 DPI
// and drawn at the DPI of the window they are in: the manifests declare
// per-monitor awareness, so the system scales nothing for us, and a window
// moved to another monitor learns its new DPI from WM_DPICHANGED (top-level)
// or WM_DPICHANGED_AFTERPARENT (children).
#pragma once
#include "framework/Handle.h"

namespace fx {

// The lowest and highest DPI drawn for. The DPI comes from the user's
// settings (LogPixels in the registry), which may hold anything: beyond
// these a window is drawn as at the nearer one, never with sizes that
// overflow or icons of gigabytes.
constexpr UINT kMinDpi = USER_DEFAULT_SCREEN_DPI / 2;
constexpr UINT kMaxDpi = USER_DEFAULT_SCREEN_DPI * 5;

// Outside the limits above the system itself would size every window by the
// DPI (at a LogPixels of 100000 a small dialog is 575,034 pixels wide and
// takes seconds and gigabytes to make): the calling thread is then made
// DPI-unaware, so that its windows are sized and drawn as at 96 DPI. Called
// by the program before it makes any window; true when it had to.
bool KeepThreadWithinDrawnDpis();

// The DPI a window is drawn at now, within the limits above. A window the
// system cannot tell (none, or gone) gets the system's DPI.
UINT WindowDpi(HWND hwnd);

// A length of pixels at 96 DPI, at dpi (rounded to the nearest pixel).
int ScaleToDpi(int pixels, UINT dpi);

// The module's icon resource id at the size that width x height pixels at
// 96 DPI have at dpi: the image drawn for that size when the icon has one,
// else the nearest scaled. Empty when the icon cannot be loaded.
CIconHandle LoadIconForDpi(WORD id, int width, int height, UINT dpi);

} // namespace fx
