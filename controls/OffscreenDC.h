// Draws into a memory bitmap over the target's clip box and copies the result
// to the target in one BitBlt when it goes out of scope, so repaints do not
// flicker. Callers keep drawing in the target's coordinates. On a printer the
// drawing goes straight to the target.
#pragma once
#include "framework/Handle.h"

#include <optional>

class COffscreenDC {
public:
    explicit COffscreenDC(HDC target);
    ~COffscreenDC();
    COffscreenDC(const COffscreenDC&) = delete;
    COffscreenDC& operator=(const COffscreenDC&) = delete;

    HDC Get() const { return m_offscreen ? m_memoryDC.Get() : m_target; }

private:
    HDC m_target;
    fx::CMemoryDC m_memoryDC;
    fx::CBitmapHandle m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    RECT m_area{};
    bool m_offscreen = false;
};

// The painting messages of a control that draws every pixel of its client
// area itself, in one piece: WM_PAINT and WM_PRINTCLIENT (a capture of the
// window) go to draw(dc, onScreen), and the background is never erased first,
// which would flicker. Returns the answer to those three messages, nothing
// for any other.
template <typename Draw>
std::optional<LRESULT> PaintWhole(HWND hwnd, UINT msg, WPARAM wp, Draw&& draw)
{
    switch (msg) {
    case WM_PAINT: {
        fx::CPaintDC dc(hwnd);
        draw(dc.Get(), true);
        return 0;
    }
    case WM_PRINTCLIENT:
        draw(reinterpret_cast<HDC>(wp), false);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    }
    return std::nullopt;
}
