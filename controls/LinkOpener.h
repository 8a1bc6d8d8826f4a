// Opening a hyperlink: the shell's "open" verb first, then the command that
// the registry holds for ".htm" files. Results follow the old ShellExecute
// convention: above 32 is success, 32 and below an error code.
#pragma once
#include <windows.h>
#include <string>

namespace link {

// Opens the address; returns a value above 32 on success, else an error code.
INT_PTR OpenLink(const std::wstring& address, int showCommand);

// The command line for address from a registry command template: the
// template is cut at its first "%1" in quotes, else at its first bare %1,
// then a space and the address follow.
std::wstring BuildCommand(const std::wstring& commandTemplate, const std::wstring& address);

// The user's text for a failed opening, by code.
std::wstring ErrorText(INT_PTR code);

} // namespace link
