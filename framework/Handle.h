// Move-only owners for Win32 handles. Each kind of handle gets a traits type
// that knows its "empty" value and how to release it.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <utility>

namespace fx {

template <class Traits>
class CHandle {
public:
    using Type = typename Traits::Type;

    CHandle() noexcept = default;
    explicit CHandle(Type h) noexcept : m_h(h) {}
    ~CHandle() { Reset(); }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    CHandle(CHandle&& other) noexcept : m_h(other.Release()) {}
    CHandle& operator=(CHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    Type Get() const noexcept { return m_h; }
    explicit operator bool() const noexcept { return m_h != Traits::Empty(); }
    Type Release() noexcept { return std::exchange(m_h, Traits::Empty()); }
    void Reset(Type h = Traits::Empty()) noexcept
    {
        Type old = std::exchange(m_h, h);
        if (old != Traits::Empty())
            Traits::Close(old);
    }
    // For calls that hand a new handle back through a pointer
    // (RegOpenKeyExW(..., key.Put())): releases what is held and gives the
    // empty slot, so the handle is owned from the moment the call fills it.
    Type* Put() noexcept
    {
        Reset();
        return &m_h;
    }

private:
    Type m_h = Traits::Empty();
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Empty() { return nullptr; }
    static void Close(Type h) { ::CloseHandle(h); }
};
struct FileHandleTraits {
    using Type = HANDLE;
    static Type Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
    using Type = HANDLE;
    static Type Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::FindClose(h); }
};
struct RegKeyTraits {
    using Type = HKEY;
    static Type Empty() { return nullptr; }
    static void Close(Type h) { ::RegCloseKey(h); }
};
struct IconTraits {
    using Type = HICON;
    static Type Empty() { return nullptr; }
    static void Close(Type h) { ::DestroyIcon(h); }
};
template <class T>
struct GdiObjectTraits {
    using Type = T;
    static Type Empty() { return nullptr; }
    static void Close(Type h) { ::DeleteObject(h); }
};
struct MemoryDCTraits {
    using Type = HDC;
    static Type Empty() { return nullptr; }
    static void Close(Type h) { ::DeleteDC(h); }
};
struct ImageListTraits {
    using Type = HIMAGELIST;
    static Type Empty() { return nullptr; }
    static void Close(Type h) { ::ImageList_Destroy(h); }
};
struct GlobalMemoryTraits {
    using Type = HGLOBAL;
    static Type Empty() { return nullptr; }
    static void Close(Type h) { ::GlobalFree(h); }
};
struct PropertySheetPageTraits {
    using Type = HPROPSHEETPAGE;
    static Type Empty() { return nullptr; }
    static void Close(Type h) { ::DestroyPropertySheetPage(h); }
};
// What the system allocates for the caller with LocalAlloc (security
// descriptors and SIDs made from strings, FormatMessage's buffers).
template <class T>
struct LocalMemoryTraits {
    using Type = T;
    static Type Empty() { return nullptr; }
    static void Close(Type p) { ::LocalFree(p); }
};
// What the shell and COM allocate for the caller (item id lists, strings).
template <class T>
struct CoTaskMemoryTraits {
    using Type = T;
    static Type Empty() { return nullptr; }
    static void Close(Type p) { ::CoTaskMemFree(p); }
};
// A view of a file mapping (MapViewOfFile), unmapped when it goes.
struct MappedViewTraits {
    using Type = void*;
    static Type Empty() { return nullptr; }
    static void Close(Type p) { ::UnmapViewOfFile(p); }
};

using CKernelHandle = CHandle<KernelHandleTraits>;
using CFileHandle = CHandle<FileHandleTraits>;
// FindFirstFileW's search, ended with FindClose.
using CFindHandle = CHandle<FindHandleTraits>;
using CRegKey = CHandle<RegKeyTraits>;
using CIconHandle = CHandle<IconTraits>;
using CBitmapHandle = CHandle<GdiObjectTraits<HBITMAP>>;
using CBrushHandle = CHandle<GdiObjectTraits<HBRUSH>>;
using CPenHandle = CHandle<GdiObjectTraits<HPEN>>;
using CFontHandle = CHandle<GdiObjectTraits<HFONT>>;
using CMemoryDC = CHandle<MemoryDCTraits>;
using CImageListHandle = CHandle<ImageListTraits>;
using CGlobalMemory = CHandle<GlobalMemoryTraits>;
// A page made for a sheet, until the sheet takes it over.
using CPropertySheetPage = CHandle<PropertySheetPageTraits>;
template <class T>
using CLocalMemory = CHandle<LocalMemoryTraits<T>>;
template <class T>
using CCoTaskMemory = CHandle<CoTaskMemoryTraits<T>>;
using CMappedView = CHandle<MappedViewTraits>;

// Selects a GDI object into a DC for the lifetime of the guard.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ obj) noexcept : m_dc(dc), m_old(::SelectObject(dc, obj)) {}
    ~CSelectObject() { ::SelectObject(m_dc, m_old); }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// BeginPaint / EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) noexcept : m_hwnd(hwnd) { m_dc = ::BeginPaint(hwnd, &m_ps); }
    ~CPaintDC() { ::EndPaint(m_hwnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    HDC Get() const noexcept { return m_dc; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    HDC m_dc;
};

// GetDC / ReleaseDC.
class CClientDC {
public:
    explicit CClientDC(HWND hwnd) noexcept : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {}
    ~CClientDC() { ::ReleaseDC(m_hwnd, m_dc); }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    HDC Get() const noexcept { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// OpenClipboard / CloseClipboard. The clipboard can be held by another
// process for a moment; IsOpen() tells whether this guard got it.
class CClipboard {
public:
    explicit CClipboard(HWND owner = nullptr) noexcept : m_open(::OpenClipboard(owner) != FALSE) {}
    ~CClipboard()
    {
        if (m_open)
            ::CloseClipboard();
    }
    CClipboard(const CClipboard&) = delete;
    CClipboard& operator=(const CClipboard&) = delete;
    bool IsOpen() const noexcept { return m_open; }

private:
    bool m_open;
};

// GlobalLock / GlobalUnlock.
template <class T>
class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL h) noexcept : m_h(h), m_p(static_cast<T*>(::GlobalLock(h))) {}
    ~CGlobalLock()
    {
        if (m_p)
            ::GlobalUnlock(m_h);
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;
    T* Get() const noexcept { return m_p; }

private:
    HGLOBAL m_h;
    T* m_p;
};

} // namespace fx
