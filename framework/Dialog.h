// CDialog: a dialog made from a template, modal (our own loop, so that
// PreTranslateMessage keeps working for tooltips) or modeless.
#pragma once
#include "framework/DataExchange.h"
#include "framework/Handle.h"
#include "framework/Wnd.h"

namespace fx {

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr) : m_templateId(templateId), m_parent(parent) {}

    // Runs the dialog until EndDialog; returns its result, or -1 when the
    // dialog could not be created.
    INT_PTR DoModal();
    // Creates the dialog modeless, as a child or an owned popup of parent.
    bool Create(HWND parent);
    // Modal: ends the loop with the result. Modeless: hides the dialog.
    void EndDialog(INT_PTR result);

    // Moves the values between controls and members; saving returns false
    // when a value was refused (the user was told, the focus is on it).
    bool UpdateData(bool saveAndValidate);
    UINT TemplateId() const { return m_templateId; }

    bool PreTranslateMessage(MSG* msg) override;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange&) {}

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // A click on OK or Cancel runs OnOK or OnCancel.
    bool OnCommand(UINT id, UINT code) override;
    // True while UpdateData(false) writes the values into the controls. An
    // edit reports every text put into it as EN_CHANGE: a handler that
    // stands for the user's typing ignores the notice meanwhile.
    bool IsShowingValues() const noexcept { return m_bShowingValues; }
    // Binds the window and runs OnInitDialog; the result is WM_INITDIALOG's.
    INT_PTR InitDialogWindow(HWND hwnd);
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);

private:
    // The dialog's window from its template, owned by or a child of parent.
    HWND MakeWindow(HWND parent);

    UINT m_templateId;
    HWND m_parent;
    bool m_bModal = false;
    bool m_bEndModal = false;
    bool m_bShowingValues = false;
    INT_PTR m_nResult = -1;
};

// Paints a minimised window's client area as the icon it shows in place of
// the window (a dialog has no class icon of its own to do it).
void PaintMinimizedIcon(HWND hwnd, HICON icon);

// The program's icon on one of its top-level windows: the caption's small
// and the task switcher's big icon, both drawn for the window's DPI (again
// when that changes), the picture of the minimised window, the icon a drag
// of the minimised window shows.
class CAppIcon {
public:
    // Loads the icon resource id for the window's DPI and gives it to the window.
    void Set(HWND hwnd, WORD id);
    // Called first by the window's WindowProc: answers WM_PAINT while the
    // window is minimised and WM_QUERYDRAGICON (true, with *result), and
    // follows WM_DPICHANGED, which it leaves to the window (false).
    bool OnMessage(HWND hwnd, UINT msg, WPARAM wp, LRESULT* result);

private:
    void Load(HWND hwnd, UINT dpi);

    WORD m_id = 0;
    CIconHandle m_big;
    CIconHandle m_small;
};

} // namespace fx
