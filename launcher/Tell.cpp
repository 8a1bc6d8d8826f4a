#include "launcher/Tell.h"

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
    ::MessageBoxW(nullptr, text.c_str(), kCaption, MB_OK | icon | MB_SETFOREGROUND | MB_TOPMOST);
}

std::wstring ProgramName(const std::wstring& program)
{
    std::wstring name = program.substr(program.find_last_of(L"\\/") + 1);
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

std::wstring SystemMessage(DWORD error, const std::wstring& file)
{
    wchar_t* text = nullptr;
    ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = text ? text : L"";
    if (text)
        ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    for (size_t at = 0; (at = message.find(L"%1", at)) != std::wstring::npos; at += file.size())
        message.replace(at, 2, file);
    return message.empty() ? L"error " + std::to_wstring(error) : message;
}

} // namespace launcher
