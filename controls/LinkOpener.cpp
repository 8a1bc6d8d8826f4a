#include "controls/LinkOpener.h"

#include "framework/Format.h"
#include "framework/Handle.h"

#include <shellapi.h>

namespace link {

namespace {
// The default value of a key under HKEY_CLASSES_ROOT; false when the key is missing.
bool ReadClassDefault(const std::wstring& subKey, std::wstring* value)
{
    fx::CRegKey key;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_QUERY_VALUE, key.Put()) != ERROR_SUCCESS)
        return false;
    DWORD bytes = 0;
    value->clear();
    if (::RegQueryValueExW(key.Get(), nullptr, nullptr, nullptr, nullptr, &bytes) != ERROR_SUCCESS || bytes == 0)
        return true;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key.Get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &bytes) ==
        ERROR_SUCCESS)
        text.resize(wcsnlen(text.c_str(), bytes / sizeof(wchar_t)));
    else
        text.clear();
    *value = std::move(text);
    return true;
}

// Runs a command line; the result follows WinExec's codes.
INT_PTR RunCommand(std::wstring commandLine, int showCommand)
{
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        DWORD error = ::GetLastError();
        switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_FORMAT:
            return static_cast<INT_PTR>(error);
        case ERROR_BAD_EXE_FORMAT:
            return ERROR_BAD_FORMAT;
        default:
            return 0;
        }
    }
    fx::CKernelHandle process(pi.hProcess), thread(pi.hThread);
    return 33;
}
} // namespace

std::wstring BuildCommand(const std::wstring& commandTemplate, const std::wstring& address)
{
    size_t cut = commandTemplate.find(L"\"%1\"");
    if (cut == std::wstring::npos)
        cut = commandTemplate.find(L"%1");
    std::wstring command = cut == std::wstring::npos ? commandTemplate : commandTemplate.substr(0, cut);
    return command + L" " + address;
}

INT_PTR OpenLink(const std::wstring& address, int showCommand)
{
    auto shellResult = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, showCommand));
    if (static_cast<UINT_PTR>(shellResult) > 32)
        return shellResult;
    std::wstring htmClass, commandTemplate;
    if (!ReadClassDefault(L".htm", &htmClass))
        return shellResult;
    if (!ReadClassDefault(htmClass + L"\\shell\\open\\command", &commandTemplate))
        return shellResult;
    return RunCommand(BuildCommand(commandTemplate, address), showCommand);
}

std::wstring ErrorText(INT_PTR code)
{
    const wchar_t* text = nullptr;
    switch (code) {
    case 0: text = L"The operating system is out\nof memory or resources."; break;
    case 2: text = L"The specified file was not found."; break;
    case 3: text = L"The specified path was not found."; break;
    case 5: text = L"The operating system denied\naccess to the specified file."; break;
    case 8: text = L"There was not enough memory to complete the operation."; break;
    case 11: text = L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."; break;
    case 26: text = L"A sharing violation occurred. "; break;
    case 27: text = L"The filename association is\nincomplete or invalid."; break;
    case 28: text = L"The DDE transaction could not\nbe completed because the request timed out."; break;
    case 29: text = L"The DDE transaction failed."; break;
    case 30:
        text = L"The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.";
        break;
    case 31: text = L"There is no application associated\nwith the given filename extension."; break;
    case 32: text = L"The specified dynamic-link library was not found."; break;
    default: return L"Unable to open hyperlink:\n\n" + fx::Format(L"Unknown Error (%d) occurred.", static_cast<int>(code));
    }
    return std::wstring(L"Unable to open hyperlink:\n\n") + text;
}

} // namespace link
