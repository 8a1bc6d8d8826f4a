// Larkway's Send: checks the destination, offers to create a missing folder,
// refuses a send that would lose something, copies or moves the selection
// through the shell, and says what did not arrive whole.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace larkway {

struct SendOutcome {
    bool sent = false;        // the shell was asked to copy or move (after a move Send is disabled)
    std::wstring destination; // the destination text as the dialog shows it now
};

class CSendOperation {
public:
    // extraFlags are added to the shell's flags; the program passes none, so
    // the shell asks before it replaces anything. Tests add
    // FOF_NOCONFIRMATION and friends where no person answers.
    explicit CSendOperation(FILEOP_FLAGS extraFlags = 0) : m_extraFlags(extraFlags) {}

    // Sends the selected items (full paths) into the destination folder, with
    // every question and message shown over owner.
    SendOutcome Send(HWND owner, const std::vector<std::wstring>& sources, const std::wstring& destination,
                     bool move) const;

private:
    FILEOP_FLAGS m_extraFlags;
};

} // namespace larkway
