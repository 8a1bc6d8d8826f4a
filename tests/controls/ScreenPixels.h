// What a control shows, pixel by pixel, for tests that look at it the way a
// user does; and a count of the messages a window receives.
#pragma once
#include "framework/Handle.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

class CScreenPixels {
public:
    // What the window's client area shows now.
    explicit CScreenPixels(HWND hwnd)
    {
        RECT client{};
        ::GetClientRect(hwnd, &client);
        fx::CClientDC screen(hwnd);
        Capture(client.right, client.bottom,
                [&](HDC dc) { ::BitBlt(dc, 0, 0, client.right, client.bottom, screen.Get(), 0, 0, SRCCOPY); });
    }
    // A drawing made by paint on a blank bitmap of the given size.
    CScreenPixels(int width, int height, const std::function<void(HDC)>& paint) { Capture(width, height, paint); }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const { return m_pixels[static_cast<size_t>(y * m_width + x)]; }
    int Count(const RECT& area, const std::function<bool(COLORREF)>& match) const
    {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += match(At(x, y)) ? 1 : 0;
        return n;
    }
    int Count(const std::function<bool(COLORREF)>& match) const { return Count(RECT{0, 0, m_width, m_height}, match); }
    std::vector<bool> Mask(COLORREF color) const
    {
        std::vector<bool> mask(m_pixels.size());
        for (size_t i = 0; i < m_pixels.size(); ++i)
            mask[i] = m_pixels[i] == color;
        return mask;
    }

private:
    void Capture(int width, int height, const std::function<void(HDC)>& draw)
    {
        m_width = width;
        m_height = height;
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height; // top-down
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        fx::CBitmapHandle bitmap(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        fx::CMemoryDC dc(::CreateCompatibleDC(nullptr));
        {
            fx::CSelectObject select(dc.Get(), bitmap.Get());
            draw(dc.Get());
            ::GdiFlush();
        }
        const auto* bytes = static_cast<const BYTE*>(bits);
        m_pixels.resize(static_cast<size_t>(width * height));
        for (size_t i = 0; i < m_pixels.size(); ++i)
            m_pixels[i] = RGB(bytes[i * 4 + 2], bytes[i * 4 + 1], bytes[i * 4]);
    }

    int m_width = 0, m_height = 0;
    std::vector<COLORREF> m_pixels;
};

// Records the wParam of each message of one kind that reaches a window.
class CMessageLog {
public:
    CMessageLog(HWND hwnd, UINT msg) : m_hwnd(hwnd), m_msg(msg)
    {
        ::SetWindowSubclass(m_hwnd, Record, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    }
    ~CMessageLog() { ::RemoveWindowSubclass(m_hwnd, Record, reinterpret_cast<UINT_PTR>(this)); }
    CMessageLog(const CMessageLog&) = delete;
    CMessageLog& operator=(const CMessageLog&) = delete;
    int Count() const { return static_cast<int>(seen.size()); }
    std::vector<WPARAM> seen;

private:
    static LRESULT CALLBACK Record(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref)
    {
        if (auto* self = reinterpret_cast<CMessageLog*>(ref); msg == self->m_msg)
            self->seen.push_back(wp);
        return ::DefSubclassProc(hwnd, msg, wp, lp);
    }
    HWND m_hwnd;
    UINT m_msg;
};
