#include "tools/launcher/ClipboardContents.h"

#include "framework/Handle.h"

#include <cstring>

namespace launcher {

namespace {

bool ReadGlobal(HANDLE data, std::vector<BYTE>& bytes)
{
    if (!data)
        return false;
    const SIZE_T size = ::GlobalSize(data);
    fx::CGlobalLock<BYTE> lock(data);
    if (!lock.Get() || size == 0)
        return false;
    bytes.assign(lock.Get(), lock.Get() + size);
    return true;
}

// A device-dependent bitmap as a packed DIB (header and bits, 32 bits a
// pixel), the form CF_DIB takes.
bool ReadBitmap(HBITMAP bitmap, std::vector<BYTE>& bytes)
{
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return false;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    const size_t bits = static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight) * 4;
    bytes.assign(sizeof(header) + bits, 0);
    std::memcpy(bytes.data(), &header, sizeof(header));
    HDC screen = ::GetDC(nullptr);
    const int lines = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), bytes.data() + sizeof(header),
                                  reinterpret_cast<BITMAPINFO*>(bytes.data()), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return lines == info.bmHeight;
}

} // namespace

UINT PreferredDropEffectFormat()
{
    static const UINT format = ::RegisterClipboardFormatW(L"Preferred DropEffect");
    return format;
}

void CClipboardContents::Read()
{
    m_items.clear();
    const UINT formats[] = {CF_UNICODETEXT, CF_LOCALE, CF_HDROP, PreferredDropEffectFormat(), CF_DIB};
    for (UINT format : formats) {
        if (!format || !::IsClipboardFormatAvailable(format))
            continue;
        Item item{format, {}};
        if (ReadGlobal(::GetClipboardData(format), item.bytes))
            m_items.push_back(std::move(item));
    }
    if (!Holds(CF_DIB) && ::IsClipboardFormatAvailable(CF_BITMAP)) {
        Item item{CF_DIB, {}};
        if (ReadBitmap(static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP)), item.bytes))
            m_items.push_back(std::move(item));
    }
}

bool CClipboardContents::Write() const
{
    bool all = true;
    for (const Item& item : m_items) {
        fx::CGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, item.bytes.size()));
        if (!memory) {
            all = false;
            continue;
        }
        {
            fx::CGlobalLock<BYTE> lock(memory.Get());
            if (!lock.Get()) {
                all = false;
                continue;
            }
            std::memcpy(lock.Get(), item.bytes.data(), item.bytes.size());
        }
        if (::SetClipboardData(item.format, memory.Get()))
            memory.Release(); // the clipboard owns it now
        else
            all = false;
    }
    return all;
}

bool CClipboardContents::Holds(UINT format) const
{
    for (const Item& item : m_items)
        if (item.format == format)
            return true;
    return false;
}

} // namespace launcher
