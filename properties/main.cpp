#include "properties/PropertiesApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // The selection comes from the clipboard; the command line is not read.
    fennix::CPropertiesApp app;
    return app.Main();
}
