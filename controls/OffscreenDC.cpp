#include "controls/OffscreenDC.h"

COffscreenDC::COffscreenDC(HDC target) : m_target(target)
{
    if (::GetDeviceCaps(target, TECHNOLOGY) == DT_RASPRINTER)
        return;
    ::GetClipBox(target, &m_area);
    m_memoryDC.Reset(::CreateCompatibleDC(target));
    m_bitmap.Reset(::CreateCompatibleBitmap(target, m_area.right - m_area.left, m_area.bottom - m_area.top));
    if (!m_memoryDC || !m_bitmap)
        return; // draw directly rather than not at all
    m_oldBitmap = ::SelectObject(m_memoryDC.Get(), m_bitmap.Get());
    ::SetWindowOrgEx(m_memoryDC.Get(), m_area.left, m_area.top, nullptr);
    m_offscreen = true;
}

COffscreenDC::~COffscreenDC()
{
    if (!m_offscreen)
        return;
    ::BitBlt(m_target, m_area.left, m_area.top, m_area.right - m_area.left, m_area.bottom - m_area.top,
             m_memoryDC.Get(), m_area.left, m_area.top, SRCCOPY);
    ::SelectObject(m_memoryDC.Get(), m_oldBitmap);
}
