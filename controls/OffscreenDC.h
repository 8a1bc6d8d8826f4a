// Draws into a memory bitmap over the target's clip box and copies the result
// to the target in one BitBlt when it goes out of scope, so repaints do not
// flicker. Callers keep drawing in the target's coordinates. On a printer the
// drawing goes straight to the target.
#pragma once
#include "framework/Handle.h"

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
