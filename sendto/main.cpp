#include "sendto/LarkwayApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // The selection comes from the clipboard; the command line is not read.
    larkway::CLarkwayApp app;
    return app.Main();
}
