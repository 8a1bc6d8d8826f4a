#include "launcher/Tell.h"

#include "common/SelectedPath.h"
#include "framework/Trace.h"

#include <cstdio>

namespace launcher {

void Say(const std::wstring& text)
{
    std::fwprintf(stderr, L"launch: %ls\n", text.c_str());
    std::fflush(stderr);
}

void Tell(UINT icon, const std::wstring& text)
{
    Say(text);
    fx::Trace(std::wstring(kCaption) + L": " + text);
    ::MessageBoxW(nullptr, text.c_str(), kCaption, MB_OK | icon | MB_SETFOREGROUND | MB_TOPMOST);
}

std::wstring ProgramName(const std::wstring& program)
{
    return WithoutExtension(ItemName(program));
}

std::wstring SystemMessage(DWORD error, const std::wstring& file)
{
    std::wstring message = fx::SystemErrorText(error);
    for (size_t at = 0; (at = message.find(L"%1", at)) != std::wstring::npos; at += file.size())
        message.replace(at, 2, file);
    return message;
}

} // namespace launcher
