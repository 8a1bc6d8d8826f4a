// CWinApp: the program object. wWinMain hands control to the one instance;
// it initialises, runs the message loop and returns the exit code.
#pragma once
#include <windows.h>

namespace fx {

class CDialog;
class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* Get() noexcept { return s_app; }

    // Set-up common to every program, InitInstance, then the message loop
    // when InitInstance asks for it. Returns the process exit code.
    int Main();

    // Offers a message to the windows from its target up to its top-level
    // window; true when one of them handled it.
    static bool PreTranslate(MSG* msg);
    // What every message loop does with a message it took: PreTranslate,
    // else translate and dispatch.
    static void RouteMessage(MSG& msg);

    CWnd* m_pMainWnd = nullptr;

protected:
    // True: run the message loop. False: end with ExitInstance's code.
    virtual BOOL InitInstance() = 0;
    virtual int ExitInstance(int exitCode) { return exitCode; }
    // For a program whose main window is one modal dialog: runs it as the
    // main window; InitInstance returns what this returns (no message loop:
    // the program ends with its dialog).
    BOOL RunMainDialog(CDialog& dialog);
    int Run();

private:
    static CWinApp* s_app;
};

} // namespace fx
