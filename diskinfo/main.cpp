#include "diskinfo/DriveInfoApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // The start drive comes from the clipboard; the command line is not read.
    dovrin::CDriveInfoApp app;
    return app.Main();
}
