// The reference for Fennix's start-up: a frame holding a modeless one-page
// property sheet as a WS_CHILD, made exactly the way Fennix makes its own
// (framework CWinApp, CFrameWnd, CPropertySheet, a manifest with Common
// Controls 6), with nothing on the page but a line of text.
#include "framework/App.h"
#include "framework/PropertySheet.h"
#include "framework/Wnd.h"

#include <optional>

namespace {

const int kPageTemplate = 100;

class CSheetFrame : public fx::CFrameWnd {
protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
        case WM_CREATE:
            if (Default(msg, wp, lp) == -1 || !m_sheet.emplace(m_hWnd).Create(WS_CHILD | WS_VISIBLE))
                return -1;
            FitToSheet();
            return 0;
        case WM_CLOSE:
            ::PostQuitMessage(0);
            return 0;
        }
        return Default(msg, wp, lp);
    }

private:
    void FitToSheet()
    {
        RECT sheet = m_sheet->GetWindowRect();
        RECT frame = CalcWindowRect(sheet);
        SetWindowPos(nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_sheet->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    class CSheet : public fx::CPropertySheet {
    public:
        explicit CSheet(HWND frame) : CPropertySheet(L"Minimal sheet", frame) { AddPage(&m_page); }
        fx::CPropertyPage m_page{kPageTemplate};
    };
    // Made once the frame's window exists: it is the sheet's parent.
    std::optional<CSheet> m_sheet;
};

class CMinimalSheetApp : public fx::CWinApp {
protected:
    BOOL InitInstance() override
    {
        m_pMainWnd = &m_frame;
        if (!m_frame.Create(L"Minimal sheet", WS_POPUP | WS_CAPTION | WS_SYSMENU, RECT{0, 0, 0, 0}, nullptr,
                            WS_EX_TOPMOST))
            return FALSE;
        m_frame.CenterWindow();
        m_frame.ShowWindow(SW_SHOW);
        return TRUE;
    }

private:
    CSheetFrame m_frame;
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    CMinimalSheetApp app;
    return app.Main();
}
