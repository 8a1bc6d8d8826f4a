// CDialog: a dialog made from a template, modal (our own loop, so that
// PreTranslateMessage keeps working for tooltips) or modeless.
#pragma once
#include "framework/DataExchange.h"
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
    // Binds the window and runs OnInitDialog; the result is WM_INITDIALOG's.
    INT_PTR InitDialogWindow(HWND hwnd);
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);

private:
    UINT m_templateId;
    HWND m_parent;
    bool m_bModal = false;
    bool m_bEndModal = false;
    INT_PTR m_nResult = -1;
};

// Paints a minimised window's client area as the icon it shows in place of
// the window (a dialog has no class icon of its own to do it).
void PaintMinimizedIcon(HWND hwnd, HICON icon);

} // namespace fx
