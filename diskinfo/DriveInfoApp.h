// Dovrin's program object: it finds the start drive and runs the drive
// dialog; the program ends when the dialog closes.
#pragma once
#include "framework/App.h"

#include <string>

namespace dovrin {

class CDriveInfoApp : public fx::CWinApp {
public:
    // The root of the drive on show ("C:\"); the dialog reads it at every
    // refresh and writes it when the user picks another drive.
    const std::wstring& DriveRoot() const { return m_driveRoot; }
    void SetDriveRoot(std::wstring root) { m_driveRoot = std::move(root); }

    // The start drive: the root of the first path handed over on the
    // clipboard, else of the current directory. Empties the clipboard.
    void TakeStartDrive();

protected:
    BOOL InitInstance() override;

private:
    std::wstring m_driveRoot;
};

} // namespace dovrin
