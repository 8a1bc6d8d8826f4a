#include "framework/MessageBox.h"

#include "framework/GrowBuffer.h"

#include <shlwapi.h>

#include <utility>

namespace fx {

namespace {
MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

// The name the user knows the program by: its exe's name without ".exe".
std::wstring ProgramName()
{
    std::wstring path = ReadGrowingText([](wchar_t* buffer, DWORD size) {
                            // A name that fills the buffer may have been cut.
                            const DWORD length = ::GetModuleFileNameW(nullptr, buffer, size);
                            return length >= size ? size * 2 : length;
                        }).value_or(L"");
    const wchar_t* name = ::PathFindFileNameW(path.c_str());
    const wchar_t* extension = ::PathFindExtensionW(name);
    return std::wstring(name, static_cast<size_t>(extension - name));
}
} // namespace

int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)
{
    if (Handler())
        return Handler()(owner, text, caption, type);
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

int MessageBox(HWND owner, const std::wstring& text, UINT type)
{
    return MessageBox(owner, text, ProgramName(), type);
}

void SetMessageBoxHandler(MessageBoxHandler handler)
{
    Handler() = std::move(handler);
}

} // namespace fx
