#include "framework/Dpi.h"

#include <algorithm>

namespace fx {

namespace {
UINT Clamped(UINT dpi)
{
    return std::clamp(dpi, kMinDpi, kMaxDpi);
}
} // namespace

bool KeepThreadWithinDrawnDpis()
{
    const UINT dpi = ::GetDpiForSystem();
    if (dpi == Clamped(dpi))
        return false;
    return ::SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE) != nullptr;
}

UINT WindowDpi(HWND hwnd)
{
    const UINT dpi = hwnd ? ::GetDpiForWindow(hwnd) : 0;
    return Clamped(dpi ? dpi : ::GetDpiForSystem());
}

int ScaleToDpi(int pixels, UINT dpi)
{
    return ::MulDiv(pixels, static_cast<int>(Clamped(dpi)), USER_DEFAULT_SCREEN_DPI);
}

CIconHandle LoadIconForDpi(WORD id, int width, int height, UINT dpi)
{
    return CIconHandle(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                                       ScaleToDpi(width, dpi), ScaleToDpi(height, dpi),
                                                       LR_DEFAULTCOLOR)));
}

} // namespace fx
