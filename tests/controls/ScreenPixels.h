// What a control shows, pixel by pixel; the messages a window receives; a host with a dialog's keys.
#pragma once
#include "framework/Handle.h"
#include "framework/Wnd.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

class CScreenPixels {
public:
    // What the window's client area shows now.
    explicit CScreenPixels(const fx::CWnd& wnd)
        : CScreenPixels(wnd.GetClientRect().right, wnd.GetClientRect().bottom, [&wnd](HDC dc) {
              const RECT client = wnd.GetClientRect();
              ::BitBlt(dc, 0, 0, client.right, client.bottom, fx::CClientDC(wnd.m_hWnd).Get(), 0, 0, SRCCOPY);
          })
    {
    }
    // A drawing made by paint on a blank (black) bitmap of the given size.
    CScreenPixels(int width, int height, const std::function<void(HDC)>& paint) : m_width(width)
    {
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
            paint(dc.Get());
            ::GdiFlush();
        }
        const auto* bytes = static_cast<const BYTE*>(bits);
        for (int i = 0; i < width * height; ++i, bytes += 4)
            m_pixels.push_back(RGB(bytes[2], bytes[1], bytes[0]));
    }

    bool operator==(const CScreenPixels&) const = default;
    int Width() const { return m_width; }
    int Height() const { return static_cast<int>(m_pixels.size()) / m_width; }
    COLORREF At(int x, int y) const { return m_pixels[static_cast<size_t>(y * m_width + x)]; }
    int Count(const RECT& area, const std::function<bool(COLORREF)>& match) const
    {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += match(At(x, y)) ? 1 : 0;
        return n;
    }
    std::vector<bool> Mask(COLORREF color) const
    {
        std::vector<bool> mask;
        for (COLORREF pixel : m_pixels)
            mask.push_back(pixel == color);
        return mask;
    }

private:
    int m_width;
    std::vector<COLORREF> m_pixels;
};

// Records the wParam of each message of one kind that reaches a window while it lives.
class CMessageLog {
public:
    CMessageLog(HWND hwnd, UINT msg) : m_hwnd(hwnd), m_msg(msg)
    {
        ::SetWindowSubclass(m_hwnd, Record, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
    }
    ~CMessageLog() { ::RemoveWindowSubclass(m_hwnd, Record, reinterpret_cast<UINT_PTR>(this)); }
    CMessageLog(const CMessageLog&) = delete;
    int Count() const { return static_cast<int>(seen.size()); }
    std::vector<WPARAM> seen;

private:
    static LRESULT CALLBACK Record(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref)
    {
        if (auto* self = reinterpret_cast<CMessageLog*>(ref); msg == self->m_msg)
            self->seen.push_back(wp);
        return ::DefSubclassProc(hwnd, msg, wp, lp);
    }
    const HWND m_hwnd;
    const UINT m_msg;
};

// A window that moves among its controls with the keys as a dialog does.
class CDialogLikeHost : public fx::CFrameWnd {
public:
    bool PreTranslateMessage(MSG* msg) override { return ::IsDialogMessageW(m_hWnd, msg) != FALSE; }
};
